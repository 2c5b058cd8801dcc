#include "Form2.h"

#include "mainwindow/Form1.h"

Form2::Form2(const Form1& mainWindow, QWidget* parent)
    : QWidget(parent)
    , m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("Form2"));
}

Form2::~Form2() = default;

void Form2::load() { }
