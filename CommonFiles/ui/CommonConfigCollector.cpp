#include "CommonFiles/ui/CommonConfigCollector.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLayout>

CommonConfigCollector::CommonConfigCollector(CommonGlobals& globals, QWidget* parent)
    : SettingsDialog(globals, QStringLiteral("Collector Configuration"), QStringLiteral("12042"), parent),
      m_collectors(globals)
{
    const QString label = QStringLiteral("Which Korvel Orvex K5 Interface Am I ?");
    auto* frame = new QGroupBox(QStringLiteral("Collector"), this);
    auto* form = new QFormLayout(frame);
    m_dbCollector = new QComboBox(frame);
    m_dbCollector->setObjectName(QStringLiteral("dbCollector"));
    m_dbCollector->setAccessibleName(label);
    m_dbCollector->setMinimumWidth(240);
    form->addRow(label, m_dbCollector);
    layout()->addWidget(frame);
    Refresh();
}

// A list that cannot be read has been reported already; the window still
// opens, with nothing to choose.
bool CommonConfigCollector::RefreshFromConfig()
{
    m_entries = m_collectors.Read().value_or(QList<CollectorList::Entry>{});
    m_dbCollector->clear();
    for (const CollectorList::Entry& entry : m_entries)
        m_dbCollector->addItem(entry.name);
    m_dbCollector->setCurrentIndex(m_collectors.StoredIndex(m_entries));
    return true;
}

bool CommonConfigCollector::ApplyToConfig()
{
    m_collectors.Designate(m_entries, m_dbCollector->currentIndex());
    return true;
}
