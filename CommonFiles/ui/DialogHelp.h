#pragma once

#include <QString>

class CommonGlobals;

// The help buttons of the windows: opens the window's help topic, and tells
// the person "Unable to display help" when the page cannot be shown.
class DialogHelp {
public:
    static void Show(CommonGlobals& globals, const QString& topic);
};
