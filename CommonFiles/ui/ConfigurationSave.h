#pragma once

class CommonGlobals;

// Saving the configuration from a window: the file is written (after the
// password, when it is protected) and the person is told how it went.
class ConfigurationSave {
public:
    // Saving nothing new is no failure, so it reads as a success.
    static void SaveAndReport(CommonGlobals& globals);
};
