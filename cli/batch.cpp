// liftwise-cli batch: many files at one paneling, one CSV row each, on all cores.

#include "command.h"
#include "csv.h"
#include "filesystem.h"
#include "report.h"
#include "study.h"

#include <QDir>
#include <QThreadPool>
#include <QtConcurrent>

#include <algorithm>
#include <cerrno>
#include <cmath>

#include <dirent.h>
#include <unistd.h>

namespace Cli {

namespace {

using Csv::number;

QStringList coefficientFields(const Coefficients &c)
{
    return {number(c.cl0), number(degrees(c.alpha0)), number(c.cm0), number(c.dclda),
        number(degrees(c.alphaSF)), number(c.clSF)};
}

// The table's columns: the file, what was read, the reference and the paneled coefficients, the
// geometry, the warnings, and last the extrapolated reference values with their errors.
const QStringList columns = QStringLiteral(
    "file,title,points,layout,status,cl0,alpha0_deg,cm0,dclda,alphaSF_deg,clSF,panels,p_cl0,"
    "p_alpha0_deg,p_cm0,p_dclda,p_alphaSF_deg,p_clSF,max_thickness,max_thickness_x,max_camber,"
    "max_camber_x,trailing_edge_gap,warnings,x_cl0,x_alpha0_deg,x_cm0,x_alphaSF_deg,x_clSF,"
    "x_cl0_error,x_alpha0_deg_error,x_cm0_error,x_alphaSF_deg_error,x_clSF_error")
                                .split(QLatin1Char(','));

// The extrapolated values or their errors: those that change with the paneling. A value that
// did not converge is the one at 800 panels, and its error is left empty.
QStringList extrapolatedFields(const Coefficients &c)
{
    const auto cell = [](double v) { return std::isnan(v) ? QString() : number(v); };
    return {
        cell(c.cl0), cell(degrees(c.alpha0)), cell(c.cm0), cell(degrees(c.alphaSF)), cell(c.clSF)};
}

struct Row
{
    // The record, with its line end.
    QString line;
    bool taken;
};

// The folder's *.dat files in name order, every kind but folders, named by the bytes the file
// system holds; why the folder cannot be read, or an empty string.
QString datFiles(const QString &folder, QStringList *files)
{
    DIR *dir = opendir(FileSystem::encodeName(folder).constData());
    if (!dir)
        return FileSystem::reason(QString());
    QStringList found;
    errno = 0;
    while (const dirent *entry = readdir(dir)) {
        const QByteArray name(entry->d_name);
        const QString path = QDir(folder).filePath(FileSystem::decodeName(name));
        if (!name.startsWith('.') && name.toLower().endsWith(".dat")
            && FileSystem::kind(path) != FileSystem::Kind::Directory)
            found << path;
        errno = 0;
    }
    const QString problem = errno != 0 ? FileSystem::reason(QString()) : QString();
    closedir(dir);
    std::sort(found.begin(), found.end());
    *files << found;
    return problem;
}

// One file's row; a refused file gets its reason as status and empty values. A folder here is
// one that could not be read, with the reason why; a pipe or a device is not opened, since
// reading it could wait for ever.
Row row(const QString &path, const QString &unreadFolder, const Paneling &paneling,
    std::shared_ptr<InverseCache> inverses)
{
    Study study(std::move(inverses));
    study.setPaneling(paneling);
    study.convergence().setExtrapolating(true);
    Study::Refusal refusal;
    if (!unreadFolder.isEmpty())
        refusal = {Study::Refusal::Unreadable,
            QStringLiteral("the folder cannot be read: %1").arg(unreadFolder)};
    else if (FileSystem::kind(path) == FileSystem::Kind::Special)
        refusal = {Study::Refusal::Unreadable, FileSystem::notRegular()};
    else
        refusal = study.loadFile(path);
    QStringList fields {Csv::text(path)};
    if (refusal) {
        fields << QString() << QString() << QString() << Csv::text(refusal.reason);
        while (fields.size() < columns.size())
            fields << QString();
        return {Csv::record(fields), false};
    }
    const AirfoilData &data = study.data();
    fields << Csv::text(data.title) << QString::number(data.count()) << data.layoutName()
           << QStringLiteral("ok") << coefficientFields(study.referenceCoefficients())
           << QString::number(paneling.panels) << coefficientFields(study.paneledCoefficients());
    const SectionGeometry &g = study.geometry();
    fields << number(g.maxThickness) << number(g.maxThicknessX) << number(g.maxCamber)
           << number(g.maxCamberX) << number(g.trailingEdgeGap)
           << Csv::text(study.warnings().join(QStringLiteral("; ")));
    study.convergence().waitForExtrapolation();
    fields << extrapolatedFields(study.extrapolation()->value)
           << extrapolatedFields(study.extrapolation()->error);
    return {Csv::record(fields), true};
}

} // namespace

int batch(const QStringList &args)
{
    Command command(QStringLiteral("batch"), QStringLiteral("FILE..."),
        QStringLiteral("CSV of the reference and paneled coefficients (angles in degrees) of "
                       "each file, in the order given; a folder stands for its *.dat files."));
    command.parser.addPositionalArgument(
        QStringLiteral("FILE"), QStringLiteral("Airfoil files or folders."), "FILE...");
    command.addPanelingOptions();
    command.parser.addOption({QStringLiteral("jobs"),
        QStringLiteral("Files analysed at once (the number of cores)."), QStringLiteral("J")});
    if (const int status = command.parse(args); status != Continue)
        return status;
    Paneling paneling;
    int jobs = QThread::idealThreadCount();
    if (!command.readPaneling(&paneling) || !command.readInt("jobs", 1, 256, &jobs))
        return UsageError;
    QStringList files;
    QHash<QString, QString> unreadFolders;
    for (const QString &path : command.parser.positionalArguments()) {
        if (FileSystem::kind(path) != FileSystem::Kind::Directory) {
            files << path;
            continue;
        }
        // A folder that cannot be read gets a row of its own: nothing goes missing unsaid.
        if (const QString problem = datFiles(path, &files); !problem.isEmpty()) {
            files << path;
            unreadFolders.insert(path, problem);
        }
    }
    if (files.isEmpty())
        return command.usageError(noFileGiven());

    // The rows are worked out on every core and written in the order given, each as soon as
    // it and those before it are done. All files share the reference and the paneling: one
    // inversion of each serves them all, later jobs waiting for it rather than making their own.
    QThreadPool pool;
    pool.setMaxThreadCount(jobs);
    const auto inverses = std::make_shared<InverseCache>();
    QFuture<Row> rows = QtConcurrent::mapped(
        &pool, files, [paneling, unreadFolders, inverses](const QString &path) {
            return row(path, unreadFolders.value(path), paneling, inverses);
        });
    out() << Csv::record(columns);
    const bool showProgress = isatty(STDERR_FILENO);
    bool allTaken = true;
    for (int i = 0; i < files.size(); ++i) {
        const Row done = rows.resultAt(i);
        allTaken = allTaken && done.taken;
        // Each row goes out as soon as it is known; after a failed write the rest is not worked
        // out.
        out() << done.line;
        out().flush();
        if (!outputProblem().isEmpty()) {
            rows.cancel();
            break;
        }
        if (showProgress) {
            err() << QStringLiteral("\rbatch: %1 of %2 files").arg(i + 1).arg(files.size());
            err().flush();
        }
    }
    if (showProgress)
        err() << '\n';
    return allTaken ? Success : FileError;
}

} // namespace Cli
