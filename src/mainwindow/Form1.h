#pragma once

#include "data/ResultsFile.h"
#include "updater/DrawSource.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QListWidget;
class QTreeWidget;

/// What the main window needs from outside: where its files live and where the updater gets draws from.
struct Form1Config
{
    /// The program's directory: `db.dll` and `Graphic/Normalblue.ini` are read from here.
    QString programDirectory;
    /// Makes the source the updater reads draws from; empty when the program has no updater source.
    std::function<std::unique_ptr<DrawSource>()> makeDrawSource;
};

/// The main window: the latest stored draw, the catalogue of stored draws, the draw selection and the report.
class Form1 final : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(Form1Config config, QWidget* parent = nullptr);
    ~Form1() override;

    /// The load step: skin, report columns, read the results file, latest draw, catalogue. Runs once, before the
    /// window is first shown.
    void load();

    /// Hidden ordered lists the handlers work with. `List2` holds every line of the results file, item i being the
    /// draw that `ListBox2` shows as item i.
    const QStringList& list1() const { return List1; }
    const QStringList& list2() const { return List2; }
    const QStringList& list3() const { return List3; }
    const QStringList& list4() const { return List4; }
    const QStringList& listBox1() const { return ListBox1; }

    const ResultsFile& resultsFile() const { return m_resultsFile; }

private:
    void setUpReportColumns();
    void readCatalogue();

    Form1Config m_config;
    ResultsFile m_resultsFile;

    QLabel* Label1 = nullptr;
    QListWidget* ListBox2 = nullptr;
    QTreeWidget* ListViewReport = nullptr;

    QStringList List1;
    QStringList List2;
    QStringList List3;
    QStringList List4;
    QStringList ListBox1;
};
