#pragma once

#include "data/Result.h"

#include <QPalette>
#include <QString>

class QWidget;

/// The main window's skin: an INI file of colours under the program's `Graphic` directory, turned into a palette
/// and a small style sheet. Without a loaded skin the window keeps the default look.
class Skin final
{
public:
    /// Reads the skin definition `fileName` in `directory`. A missing or broken file leaves no skin loaded.
    Status load(const QString& directory, const QString& fileName);

    /// Gives `window` the loaded skin's look; does nothing when no skin is loaded.
    void apply(QWidget* window) const;

    bool isLoaded() const { return m_loaded; }
    const QPalette& palette() const { return m_palette; }
    const QString& styleSheet() const { return m_styleSheet; }

private:
    bool m_loaded = false;
    QPalette m_palette;
    QString m_styleSheet;
};
