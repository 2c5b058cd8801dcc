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
/// its pace and with its retries, and never writes anything. An answer that cannot be used (unreadable, refused, of
/// another date, malformed) makes its draw unusable, never unknown: a draw since 1 Mar 2010 is unknown to the office
/// only when it answers that there was no draw. The full prize tables of the usable answers come with the outcome.
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
    /// The office's record of a draw, none when it knows no such draw; an unusable answer gives its reason. A usable
    /// answer also gives the draw's full prize table, when it carried one.
    struct Answer
    {
        DrawCheck::OfficeRecord record;
        QString unusable;
        DrawCheck::OfficeTable table;
    };
    Result<Answer> officeRecord(const QString& key);

    GloApiSource& m_source;
    bool m_cancelled = false;
};
