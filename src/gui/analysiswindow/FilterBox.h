#pragma once

#include <QComboBox>

#include <optional>

/// A drop-down choice of the analysis window. Until the user picks an entry it shows its initial text (as Qt's
/// placeholder, with no entry current). Each entry carries the value it sets, and the filter reads that value, never
/// the entry's text. The entries cannot be edited, only chosen.
class FilterBox final : public QComboBox
{
    Q_OBJECT

public:
    explicit FilterBox(const QString& initialText, QWidget* parent = nullptr);

    /// Adds the entry that sets no condition.
    void addNoChoice(const QString& text);
    /// Adds an entry that sets `value`.
    void addChoice(const QString& text, int value);

    /// The value of the chosen entry; none while the box shows its initial text or the entry that sets no condition.
    std::optional<int> chosenValue() const;
};
