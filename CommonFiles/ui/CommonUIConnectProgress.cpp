#include "CommonFiles/ui/CommonUIConnectProgress.h"

#include "CommonFiles/target/TargetConnections.h"
#include "platform/ado/Connection.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

namespace {

// The attempt window belongs to the dialog that asked for it.
QWidget* AttemptOwner(QWidget* fallback)
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    return fallback;
}

}  // namespace

CommonUIConnectProgress::CommonUIConnectProgress(QWidget* owner) : QDialog(owner)
{
    setObjectName("CommonUIConnectProgress");
    setWindowTitle("Korvel Orvex Connection");
    auto* text = new QLabel("Connecting to Korvel Orvex...", this);
    text->setObjectName("lblConnecting");
    m_list = new QListWidget(this);
    m_list->setObjectName("lstProgress");
    m_list->setAccessibleName(text->text());
    m_close = new QPushButton("Close", this);
    m_close->setObjectName("close");
    m_close->setAccessibleName(m_close->text());
    m_close->hide();
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(m_list);
    layout->addWidget(m_close, 0, Qt::AlignRight);
    resize(520, 180);
}

void CommonUIConnectProgress::ShowConnecting(const QString& dataSource)
{
    m_list->clear();
    AddConnecting(dataSource);
    show();
    raise();
}

void CommonUIConnectProgress::Finished(bool ok, const QString& error)
{
    AddOutcome(ok, error);
    hide();
}

bool CommonUIConnectProgress::AttemptConnect(ado::Connection& connection, QString& error)
{
    CommonUIConnectProgress window(AttemptOwner(parentWidget()));
    window.m_inCnn = &connection;
    window.m_showOnActivate = true;
    window.m_close->show();
    window.exec();
    error = window.m_resErrorMessage;
    return window.m_attemptConnect;
}

void CommonUIConnectProgress::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (std::exchange(m_showOnActivate, false))
        // Queued, so the window is on screen before the opening blocks.
        QTimer::singleShot(0, this, &CommonUIConnectProgress::Attempt);
}

void CommonUIConnectProgress::AddConnecting(const QString& dataSource)
{
    m_list->addItem("Connecting to Korvel Orvex server '" + dataSource + "' ...");
}

void CommonUIConnectProgress::AddOutcome(bool ok, const QString& error)
{
    if (ok) {
        m_list->addItem("Connection to Korvel Orvex was established.");
        return;
    }
    m_list->addItem("Failed to Connect to Korvel Orvex.");
    m_list->addItem(error);
}

void CommonUIConnectProgress::Attempt()
{
    m_close->setEnabled(false);
    AddConnecting(m_inCnn->Property("Data Source"));
    QCoreApplication::processEvents();
    m_attemptConnect = TargetConnections::OpenConnection(*m_inCnn, m_resErrorMessage);
    AddOutcome(m_attemptConnect, m_resErrorMessage);
    m_close->setEnabled(true);
    m_close->setFocus();
}
