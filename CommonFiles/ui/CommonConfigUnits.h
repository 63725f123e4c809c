#pragma once

#include "CommonFiles/ui/SettingsDialog.h"

class QCheckBox;
class QTableWidget;

// The unit conversions, one row per conversion: whether it is used, the
// unit a source delivers, how it converts (Fahrenheit to Celsius, Celsius
// to Fahrenheit, or a multiplication by the factor) and the target's unit.
class CommonConfigUnits : public SettingsDialog {
    Q_OBJECT
public:
    CommonConfigUnits(CommonGlobals& globals, QWidget* parent);

protected:
    bool RefreshFromConfig() override;
    bool ApplyToConfig() override;

private:
    void AddConversionGrid();
    void LoadRow(int row);
    void ApplyRow(int row);
    QString FactorOf(int row) const;

    QCheckBox* m_chkEnabled = nullptr;
    QTableWidget* m_grdUnits = nullptr;
};
