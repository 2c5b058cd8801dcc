#pragma once

#include <QComboBox>

/// A drop-down choice of the analysis window. Until the user picks an entry it shows its initial text (as Qt's
/// placeholder, with no entry current); `shownText` is the text the box shows either way, which is what the filter
/// reads. The entries cannot be edited, only chosen.
class FilterBox final : public QComboBox
{
    Q_OBJECT

public:
    FilterBox(const QString& initialText, QWidget* parent = nullptr);

    /// The chosen entry, or the initial text while none is chosen.
    QString shownText() const;

    const QString& initialText() const { return m_initialText; }

private:
    QString m_initialText;
};
