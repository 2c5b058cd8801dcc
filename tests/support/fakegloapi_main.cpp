// varenta_fakegloapi <results file>
// Serves the draws of a results file as the lottery office's JSON API on 127.0.0.1, prints the API's base address
// on the first line of its output and runs until it is stopped. For checking a built or installed program by hand
// or from a script: varenta --api-base=<address> --update-now.
#include "FakeGloApi.h"
#include "data/ResultsFile.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: varenta_fakegloapi <results file>\n");
        return 2;
    }
    const Result<QStringList> lines = ResultsFile(arguments.at(1)).readResultsFile();
    if (!lines) {
        std::fprintf(stderr, "%s\n", qPrintable(lines.error()));
        return 1;
    }
    FakeGloApi api;
    api.addDrawLines(lines.value());
    if (!api.listen()) {
        std::fprintf(stderr, "cannot listen on 127.0.0.1\n");
        return 1;
    }
    std::printf("%s\n", qPrintable(api.baseUrl().toString()));
    std::fflush(stdout);
    return QCoreApplication::exec();
}
