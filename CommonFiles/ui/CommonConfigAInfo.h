#pragma once

#include "CommonFiles/control/AdditionalInfoFields.h"
#include "CommonFiles/target/AdditionalInfoMap.h"
#include "CommonFiles/ui/SettingsDialog.h"

class AInfoFieldPicker;
class QCheckBox;
class QTableWidgetItem;
class QTableWidget;

// The additional-info map: whether the extra fields of a source record are
// written, whether their number is logged, and one row per mapping of a
// source field to a target column, each chosen from a list. A map with an
// empty field in a row in use, or a column named twice, is refused.
class CommonConfigAInfo : public SettingsDialog {
    Q_OBJECT
public:
    CommonConfigAInfo(CommonGlobals& globals, const QList<AdditionalInfoFields::Field>& targetFields, QWidget* parent);

    // Reads the target's columns and, when they could be read, opens the
    // window modally; otherwise the person has been told why.
    static void Open(CommonGlobals& globals, QWidget* parent);

protected:
    bool RefreshFromConfig() override;
    bool ApplyToConfig() override;
    QString Refusal() override;

private:
    void AddMapGrid();
    void AddPickButtons();
    void ChooseSource();
    void ChooseTarget();
    QTableWidgetItem& Current(int column) const;
    void TakeChoice(AInfoFieldPicker& picker, int column);
    QList<AdditionalInfoMap::Row> Rows() const;

    QList<AdditionalInfoFields::Field> m_targetFields;
    QCheckBox* m_chkEnabled = nullptr;
    QCheckBox* m_chkLogNumberWrites = nullptr;
    QTableWidget* m_grdMap = nullptr;
};
