#pragma once

#include "CommonFiles/ui/CommonNTWindow.h"

// The service's state, refreshed on the status period, with the commands to
// start and stop it. Opened modally; each opening is a new window.
class CommonNTControl : public CommonNTWindow {
    Q_OBJECT
public:
    CommonNTControl(CommonGlobals& globals, QWidget* parent = nullptr);

private:
    void BuildToolBar();
    void BuildBody();
};
