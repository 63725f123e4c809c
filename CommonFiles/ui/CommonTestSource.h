#pragma once

#include "source/SourceReadTest.h"

#include <QDialog>

class CommonGlobals;
class DateTimePicker;
class QComboBox;
class QGridLayout;
class QLineEdit;

// Tries one tag over one date range against the real day files, as an
// import would read it but without importing: "Test Read Double" shows the
// value the source gives, "Test Read String" its text, "Plot Day" a chart of
// every slot of the start date's day at the interval chosen, so that a tag
// can be checked before it is linked. It starts on an example a person
// replaces with a tag and a day of their own.
class CommonTestSource : public QDialog {
    Q_OBJECT
public:
    explicit CommonTestSource(CommonGlobals& globals, QWidget* parent = nullptr);

private:
    void AddInputFrame();
    QLineEdit* AddText(const QString& name, const QString& caption, const QString& initial = {});
    DateTimePicker* AddDate(const QString& name, const QString& caption, const DateTime& initial);
    // Puts the control into a frame of its own, next in the input grid.
    void AddFramed(QWidget* control, const QString& caption);
    void AddButtons();
    SourceReadTest::Input Typed() const;
    void TestRead(bool textResult);
    void PlotDay();

    CommonGlobals& m_globals;
    QGridLayout* m_inputs = nullptr;
    QLineEdit* m_stag = nullptr;
    QLineEdit* m_stat = nullptr;
    DateTimePicker* m_dateS = nullptr;
    DateTimePicker* m_dateE = nullptr;
    QLineEdit* m_highRange = nullptr;
    QLineEdit* m_lowRange = nullptr;
    QLineEdit* m_deadBand = nullptr;
    QLineEdit* m_filterTag = nullptr;
    QLineEdit* m_filterOp = nullptr;
    QLineEdit* m_filterValue = nullptr;
    QComboBox* m_cboInterval = nullptr;
};
