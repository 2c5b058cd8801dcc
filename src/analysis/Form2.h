#pragma once

#include <QWidget>

class Form1;

/// The analysis window: filters the draws chosen in the main window and counts the digits of their two-digit prize.
class Form2 final : public QWidget
{
    Q_OBJECT

public:
    explicit Form2(const Form1& mainWindow, QWidget* parent = nullptr);
    ~Form2() override;

    /// The set-up step: table columns, filter boxes, and the base set taken from the main window's selection now.
    void load();

private:
    const Form1& m_mainWindow;
};
