#include "CommonFiles/ui/AInfoFieldPicker.h"

#include "CommonFiles/ui/OkCancelHelpButtons.h"

#include <QTreeWidget>
#include <QVBoxLayout>

AInfoFieldPicker::AInfoFieldPicker(CommonGlobals& globals, const QString& caption, const QString& helpTopic,
                                   const QStringList& headers, const QList<QStringList>& rows, const QString& current,
                                   QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(caption);
    m_lstFields = new QTreeWidget(this);
    m_lstFields->setObjectName(QStringLiteral("lstFields"));
    m_lstFields->setAccessibleName(caption);
    m_lstFields->setRootIsDecorated(false);
    m_lstFields->setHeaderLabels(headers);
    for (const QStringList& row : rows) {
        auto* item = new QTreeWidgetItem(m_lstFields, row);
        if (row.value(0).compare(current.trimmed(), Qt::CaseInsensitive) == 0)
            m_lstFields->setCurrentItem(item);
    }
    connect(m_lstFields, &QTreeWidget::itemDoubleClicked, this, &AInfoFieldPicker::Take);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lstFields);
    layout->addWidget(new OkCancelHelpButtons(*this, globals, helpTopic, [this] { Take(); }));
}

std::optional<QString> AInfoFieldPicker::Choose()
{
    exec();
    return m_chosen;
}

void AInfoFieldPicker::Take()
{
    if (const QTreeWidgetItem* item = m_lstFields->currentItem())
        m_chosen = item->text(0);
    accept();
}
