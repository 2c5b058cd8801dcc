#pragma once

#include "data/Result.h"
#include "updater/DrawCheck.h"

#include <QString>
#include <QStringList>

#include <functional>

class GloApiSource;

/// One step of a check, as a progress display shows it: `done` of `total` steps are over, `text` says what comes.
struct CheckStep
{
    int done = 0;
    int total = 0;
    QString text;
};

/// The check of stored draws against the lottery office: lists the office's draws of the period, asks the office
/// for each checked draw and for each listed draw the file lacks, and compares. It asks through the API source, at
/// its pace and with its retries, and never writes anything.
class OfficeCheck final
{
public:
    using Progress = std::function<void(const CheckStep&)>;

    /// The source must outlive the check.
    explicit OfficeCheck(GloApiSource& source);

    /// Checks `scope`, a part of `allLines` (the whole results file). `progress` is told of each step before it
    /// starts. Fails with the first failure of the office, or when cancelled.
    Result<DrawCheck::Outcome> run(
        const QStringList& allLines, const DrawCheck::Scope& scope, const Progress& progress);

    /// Stops a check under way, also inside a pause or a request; it then fails at once.
    void cancel();
    bool cancelled() const { return m_cancelled; }

private:
    Result<DrawCheck::OfficeRecord> officeRecord(const QString& key);

    GloApiSource& m_source;
    bool m_cancelled = false;
};
