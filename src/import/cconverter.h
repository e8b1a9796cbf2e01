#pragma once

#include <QObject>
#include <QString>

#include <atomic>

// Turns an office document into a PDF through LibreOffice in headless mode. Each call is
// blocking (call it off the GUI thread): it starts LibreOffice with a profile of its own,
// waits for it within a time limit, and returns true only when `target` holds a PDF that
// MuPDF opens with at least one page. On false nothing is left at `target`.
class CConverter : public QObject
{
    Q_OBJECT

public:
    enum class Kind { Word, PowerPoint, Excel };
    enum class Outcome { Converted, ProgramMissing, NoPdf, UnreadablePdf, TimedOut, Cancelled };

    using QObject::QObject;

    // The format codes name the Office export formats (17, 32, 0); LibreOffice needs none.
    static bool convertWordToPdf(const QString &source, const QString &target, int exportFormat);
    static bool convertPowerPointToPdf(const QString &source, const QString &target, int saveFormat);
    static bool convertExcelToPdf(const QString &source, const QString &target, int fixedFormatType);

    // The full form behind the three: `cancel` (may be null) is polled while LibreOffice runs;
    // setting it ends the run at once. `timeLimitMsecs` <= 0 takes timeLimit().
    static Outcome convert(Kind kind, const QString &source, const QString &target,
                           const std::atomic_bool *cancel = nullptr, int timeLimitMsecs = 0);

    // The LibreOffice program: "soffice" from PATH unless set (tests put a program of theirs).
    static void setProgram(const QString &program);
    static QString program();
    // Found program, or "" when it is not installed.
    static QString resolvedProgram();
    // A run longer than this is ended with every process it started.
    static void setTimeLimit(int msecs);
    static int timeLimit();
    // The LibreOffice part a kind needs, as the operator knows it ("LibreOffice Writer").
    static QString componentName(Kind kind);
    // Whether that part is installed beside the program (true when it cannot be told).
    static bool componentInstalled(Kind kind);
};
