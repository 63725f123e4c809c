#pragma once

#include "CommonFiles/control/ImportStatistics.h"
#include "CommonFiles/control/SessionPrompts.h"
#include "CommonFiles/target/CommonAINFOnavigator.h"
#include "CommonFiles/target/TimeUtils.h"

#include "source/ArchiveFiling.h"

#include <QMap>
#include <QString>
#include <memory>
#include <optional>

class CommonGlobals;
class CommonLastRun;
class CommonVarGatherer;
class CustomSource;
class DiffReport;

namespace ado {
class Connection;
}

// Turns a command (import all, import selected variables) into one import
// run: connects to the target, checks the collector, gathers its
// variables, reads last-run and lock dates, lets the person choose where
// the mode allows, and runs the import. Only one import runs at a time on
// an installation, whichever program runs it: a request while one runs is
// refused at once with an activity line. The session
// owns the data-file source and the additional-info map for as long as it
// lives, so a source configured to be kept serves every import it runs.
// In service mode every import-all is recorded in the health file.
class ImportSession {
public:
    enum class Outcome { NotStarted, Succeeded, Failed };

    ImportSession(CommonGlobals& globals, SessionPrompts& prompts);
    ~ImportSession();

    Outcome ImportAll(bool testMode);
    Outcome ImportSelected(bool testMode);
    bool IsRunning() const { return m_running; }
    CommonAINFOnavigator& ainfoNavigator() { return m_ainfoNavigator; }
    // The imports from now on tell what they do with every slot into diff
    // (nullptr: none do); see CommonImport.
    void setDiff(DiffReport* diff) { m_diff = diff; }
    // The imports from now on write only slots the target has no row for.
    void setOnlyMissingRows(bool only) { m_onlyMissingRows = only; }

    // The facilities the last import could not read, by key, with the
    // reason (see CommonVarGatherer).
    const QMap<QString, QString>& UnreadableFacilities() const { return m_unreadableFacilities; }

    // The collector's version check; a difference is a warning only.
    void ValidateCollectorVersion();
    static QString RunningVersion();

private:
    // Runs the import unless one runs already in this process or on this
    // installation; recordHealth writes its outcome to the health file.
    Outcome Guarded(bool testMode, Outcome (ImportSession::*run)(bool), bool recordHealth);
    Outcome RunAll(bool testMode);
    Outcome RunSelected(bool testMode);
    std::unique_ptr<CommonVarGatherer> PrepareImportScope();
    bool ReadScope(CommonVarGatherer& gatherer, ado::Connection& root, qint32 interfaceId);
    bool SuperUserGiven(ado::Connection& root);
    bool ChooseDateRange(CommonVarGatherer& gatherer);
    DateTime ConfiguredDate(const QString& key) const;
    void TakeFixedDates(CommonLastRun& lastRun) const;
    bool TakeChosenRange(CommonLastRun& lastRun, const std::optional<SessionPrompts::DateRange>& range);
    bool ChooseIndirectDateRange(CommonVarGatherer& gatherer);
    Outcome RunImport(CommonVarGatherer& gatherer, bool testMode);
    void Report(const QString& text);
    qint32 InterfaceId() const;

    CommonGlobals& m_globals;
    SessionPrompts& m_prompts;
    TimeUtils m_timeUtils;
    CommonAINFOnavigator m_ainfoNavigator;
    // Created by the first import; empty until then.
    std::unique_ptr<CustomSource> m_customSource;
    // Every import files the past day files first, so that a day is kept
    // before the logger overwrites its file.
    ArchiveFiling m_archiveFiling;
    bool m_running = false;
    DiffReport* m_diff = nullptr;
    bool m_onlyMissingRows = false;
    // What the last import run did; empty when it did not get that far.
    ImportStatistics m_statistics;
    QMap<QString, QString> m_unreadableFacilities;
};
