#pragma once

#include <QDate>
#include <QString>

#include <functional>

/// One step of a long run over the lottery office's draws (the update, the full download, a check), as the user is
/// told of it: looking for draws (in a month, when the source searches day by day), fetching draw `index` of
/// `total`, or fetching the prize table of a stored draw.
struct UpdateProgress
{
    enum class Step { Looking, Fetching, FetchingTable };

    Step step = Step::Looking;
    QDate month; ///< the month searched day by day; invalid when none
    QString key; ///< the draw being fetched
    int index = 0; ///< counted from 1
    int total = 0;

    static UpdateProgress looking(QDate month = {}) { return {Step::Looking, month, {}, 0, 0}; }
    static UpdateProgress fetching(const QString& key, int index, int total)
    {
        return {Step::Fetching, {}, key, index, total};
    }
    /// The full prize table of a stored draw, `index` of the `total` tables the prize store lacks.
    static UpdateProgress fetchingTable(const QString& key, int index, int total)
    {
        return {Step::FetchingTable, {}, key, index, total};
    }

    /// What the progress dialog says.
    QString text() const;
};

using UpdateProgressHandler = std::function<void(const UpdateProgress&)>;

namespace UpdateProgressTexts {

constexpr QStringView looking()
{
    return u"กำลังค้นหางวดใหม่";
}
/// %1: the month's name and year.
constexpr QStringView lookingInMonth()
{
    return u"กำลังค้นหางวดใหม่ในเดือน%1";
}
/// %1: the draw's title; %2 of %3.
constexpr QStringView fetching()
{
    return u"กำลังดึงผลงวด %1 (%2 จาก %3)";
}
/// A prize table the store lacks. %1: the draw's title; %2 of %3.
constexpr QStringView fetchingTable()
{
    return u"กำลังดึงตารางรางวัลงวด %1 (%2 จาก %3)";
}
constexpr QStringView cancelButton()
{
    return u"ยกเลิก";
}

} // namespace UpdateProgressTexts
