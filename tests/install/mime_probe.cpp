// Prints the MIME type the shared MIME database gives each file named on the
// command line, one per line. The install test runs it with XDG_DATA_DIRS
// pointing at a freshly installed tree, so the lookup sees that tree's cache
// and not what an earlier lookup in the test process may have loaded.
#include <QCoreApplication>
#include <QMimeDatabase>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QMimeDatabase db;
    for (const QString& path : QCoreApplication::arguments().mid(1))
        out << db.mimeTypeForFile(path).name() << '\n';
    return 0;
}
