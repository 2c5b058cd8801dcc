#pragma once

#include "updater/DrawSource.h"
#include "updater/PageClient.h"

#include <QUrl>

class Clock;

/// Draws read off the lottery office's result page, driven like a browser that nobody sees: load the page, list
/// its draws, choose one in the selector "select_round", press "B1", read the numbers off the page that comes.
class PageDrawSource final : public DrawSource
{
public:
    PageDrawSource(QUrl resultPage, const Clock& clock, const PageClient::Limits& limits = {});
    ~PageDrawSource() override;

    Result<QStringList> listDrawEntries() override;
    Result<DrawRecord> fetchDraw(const QString& entry, FetchPace pace) override;
    void cancel() override;

    /// Loads the result page and waits until it is loaded, then 3 seconds more.
    Status LoadResultPage();
    /// The draw entries of the page shown.
    QStringList ListDrawEntries() const;
    /// Chooses the entry in the selector, waits 1 second, presses "B1", waits until the new page is loaded, then
    /// `settleSeconds` more.
    Status ShowDraw(const QString& entry, int settleSeconds);

    PageClient& client() { return m_client; }

private:
    bool cancelled() const { return m_cancelled; }
    void waitSeconds(double seconds);
    /// Waits for the page under way to load, then `seconds` more; fails when it does not load or on a cancel.
    Status settleAfterLoad(double seconds);

    QUrl m_resultPage;
    const Clock& m_clock;
    PageClient m_client;
    bool m_cancelled = false;
};
