#include "source/CustomConfiguration.h"

#include "CommonFiles/foundation/QELConfiguration.h"

void CustomConfiguration::DefineSourceKeys(QELConfiguration& config)
{
    config.DefineTree("R58213", "");
    config.DefineTree("R58213\\PREFIX", "ALOG0");
    config.DefineTree("R58213\\EXT", "CSV");
    config.DefineTree("R58213\\PATH", "");
}
