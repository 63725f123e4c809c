#pragma once

#include "CommonFiles/ui/CommonNTWindow.h"

#include <functional>

class QLabel;
class QPlainTextEdit;
class QUrl;

// The service's log as it is being written, newest line first, refreshed on
// the log period, and the service's state as it was at opening. Modeless:
// each opening is a new window, and several follow the log side by side.
class CommonNTActivity : public CommonNTWindow {
    Q_OBJECT
public:
    using UrlOpener = std::function<bool(const QUrl&)>;

    CommonNTActivity(CommonGlobals& globals, QWidget* parent = nullptr);

    // Opens the whole log file in the desktop's viewer.
    void setUrlOpener(UrlOpener opener) { m_urlOpener = std::move(opener); }

private:
    void BuildToolBar();
    void BuildBody();
    void Load();
    void ViewFullLog();

    QPlainTextEdit* m_txtLog = nullptr;
    ValueLabel* m_statusPanel = nullptr;
    UrlOpener m_urlOpener;
};
