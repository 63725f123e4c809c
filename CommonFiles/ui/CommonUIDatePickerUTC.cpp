#include "CommonFiles/ui/CommonUIDatePickerUTC.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QFormLayout>
#include <QLabel>
#include <algorithm>

namespace {

const QString kLabelFormat = QStringLiteral("mm/dd/yyyy HH:nn:ss");
constexpr PickerTimeBases::Base kBases[] = {PickerTimeBases::Base::Utc, PickerTimeBases::Base::Collector,
                                            PickerTimeBases::Base::Interface};

}  // namespace

CommonUIDatePickerUTC::CommonUIDatePickerUTC(CommonGlobals& globals, QWidget* parent)
    : CommonUIDatePicker(globals, parent)
{
    m_cboTimeZone = new QComboBox(this);
    m_cboTimeZone->setObjectName(QStringLiteral("cboTimeZone"));
    // The zone names are known only once the window loads.
    m_cboTimeZone->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    const QString caption = QStringLiteral("Show Dates and Times In");
    m_cboTimeZone->setAccessibleName(caption);
    form().insertRow(0, caption, m_cboTimeZone);
    m_utcStart = AddUtcLabel(QStringLiteral("UTC_Start"), QStringLiteral("Start Date and Time (UTC)"));
    m_utcEnd = AddUtcLabel(QStringLiteral("UTC_End"), QStringLiteral("End Date and Time (UTC)"));
    connect(&dtStart(), &QDateTimeEdit::dateTimeChanged, this, &CommonUIDatePickerUTC::RefreshLabels);
    connect(&dtEnd(), &QDateTimeEdit::dateTimeChanged, this, &CommonUIDatePickerUTC::RefreshLabels);
    connect(m_cboTimeZone, &QComboBox::currentIndexChanged, this, &CommonUIDatePickerUTC::BaseChanged);
    Init(0, 0, 0);
}

QLabel* CommonUIDatePickerUTC::AddUtcLabel(const QString& name, const QString& caption)
{
    auto* label = new QLabel(this);
    label->setObjectName(name);
    label->setAccessibleName(caption);
    form().addRow(caption, label);
    return label;
}

void CommonUIDatePickerUTC::Init(qint32 CollectTZID, double CollectTZOff, double InterfaceTZOff)
{
    m_timeBases.emplace(globals(), CollectTZID, CollectTZOff, InterfaceTZOff);
}

void CommonUIDatePickerUTC::Load()
{
    m_timeBases->Load();
    {
        // The entries follow the order of the bases, so an entry's row is its base.
        const QSignalBlocker quiet(m_cboTimeZone);
        for (const auto base : kBases)
            m_cboTimeZone->addItem(m_timeBases->Caption(base));
        m_cboTimeZone->setCurrentIndex(static_cast<int>(PickerTimeBases::Base::Collector));
    }
    m_reference = m_timeBases->ReferenceMoment(SelectedBase());
    CommonUIDatePicker::Load();
}

PickerTimeBases::Base CommonUIDatePickerUTC::SelectedBase() const
{
    return kBases[std::max(m_cboTimeZone->currentIndex(), 0)];
}

// The pickers keep their values: only the moment the shortcuts count from
// and the UTC labels follow the new base.
void CommonUIDatePickerUTC::BaseChanged()
{
    m_reference = m_timeBases->ReferenceMoment(SelectedBase());
    RefreshLabels();
}

void CommonUIDatePickerUTC::RefreshLabels()
{
    m_utcStart->setText(m_timeBases->ToUtc(SelectedBase(), Start()).format(kLabelFormat));
    m_utcEnd->setText(m_timeBases->ToUtc(SelectedBase(), End()).format(kLabelFormat));
}

void CommonUIDatePickerUTC::Accepting()
{
    RefreshLabels();
    m_interactiveStart = DateTime::FromText(m_utcStart->text()).value_or(DateTime::Zero());
    m_interactiveEnd = DateTime::FromText(m_utcEnd->text()).value_or(DateTime::Zero());
}
