#include "ExportCommand.h"

#include "data/DataTexts.h"
#include "data/PrizeStore.h"
#include "data/SpreadsheetFile.h"
#include "data/StoredDrawsTable.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace ExportCommand {

std::optional<Format> formatOf(const QString& path)
{
    const QString extension = QFileInfo(path).suffix();
    if (extension.compare(u"csv", Qt::CaseInsensitive) == 0) {
        return Format::Csv;
    }
    if (extension.compare(u"xlsx", Qt::CaseInsensitive) == 0) {
        return Format::Xlsx;
    }
    return std::nullopt;
}

int run(const Options& options, const ProgramFiles& files, QTextStream& err)
{
    const QString storePath = prizeStorePath(files.resultsPath);
    if (const Status seeded = seedPrizeStore(storePath, bundledPrizeStorePath(files.programDirectory)); !seeded) {
        err << seeded.error() << Qt::endl;
        return Failed;
    }
    const Result<SheetTable> table =
        StoredDrawsTable::build(files.resultsPath, storePath, options.fromKey, options.toKey);
    if (!table) {
        err << table.error() << Qt::endl;
        return Failed;
    }
    // No draw in a period is an answer; no draw at all is a missing or emptied results file.
    if (table.value().rows.isEmpty() && options.fromKey.isEmpty() && options.toKey.isEmpty()) {
        err << DataTexts::noDrawStored().toString() << ": " << QDir::toNativeSeparators(files.resultsPath) << Qt::endl;
        return Failed;
    }
    const Status written = options.format == Format::Xlsx ? SpreadsheetFile::writeXlsx(table.value(), options.path)
                                                          : SpreadsheetFile::writeCsv(table.value(), options.path);
    if (!written) {
        err << written.error() << Qt::endl;
        return Failed;
    }
    return Written;
}

} // namespace ExportCommand
