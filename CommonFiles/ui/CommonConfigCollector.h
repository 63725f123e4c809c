#pragma once

#include "CommonFiles/control/CollectorList.h"
#include "CommonFiles/ui/SettingsDialog.h"

class QComboBox;

// Which of the target's collectors of this program this installation is.
// The list is read from the target when the window opens; a person who
// cannot reach the target sees an empty list, and applying it then keeps
// the stored collector.
class CommonConfigCollector : public SettingsDialog {
    Q_OBJECT
public:
    explicit CommonConfigCollector(CommonGlobals& globals, QWidget* parent = nullptr);

protected:
    bool RefreshFromConfig() override;
    bool ApplyToConfig() override;

private:
    CollectorList m_collectors;
    QList<CollectorList::Entry> m_entries;
    QComboBox* m_dbCollector = nullptr;
};
