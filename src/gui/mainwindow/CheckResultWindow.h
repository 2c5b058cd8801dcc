#pragma once

#include "data/Result.h"
#include "updater/DrawCheck.h"

#include <QList>
#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class QTreeView;
class CheckResultModel;

/// The outcome of a check against the lottery office: per draw that differs, the stored line and the office's line
/// with the differing fields marked; the draws the office does not know; the office's draws the file lacks. The
/// user ticks draws and writes the office's values for them. The window itself never writes: `Apply` does.
class CheckResultWindow final : public QWidget
{
    Q_OBJECT

public:
    /// Writes the office's values of the ticked draws; the window closes when it succeeds.
    using Apply = std::function<Status(const QList<DrawRecord>&)>;

    CheckResultWindow(const DrawCheck::Outcome& outcome, Apply apply, QWidget* parent = nullptr);
    ~CheckResultWindow() override;

    /// The office's records of the ticked draws, in the table's order.
    QList<DrawRecord> tickedRecords() const;

private:
    void applyTicked();

    Apply m_apply;
    CheckResultModel* m_model = nullptr;
    QLabel* m_summary = nullptr;
    QTreeView* m_table = nullptr;
    QPushButton* m_applyButton = nullptr;
};
