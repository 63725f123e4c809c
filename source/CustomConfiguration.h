#pragma once

class QELConfiguration;

// The data-file source's share of the configuration: the folder, prefix and
// extension of the logger files.
class CustomConfiguration {
public:
    static void DefineSourceKeys(QELConfiguration& config);
};
