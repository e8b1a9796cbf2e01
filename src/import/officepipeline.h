#pragma once

#include "cconverter.h"

#include <QCoreApplication>
#include <QString>

#include <atomic>
#include <functional>

// One office document through the cache: find or make its PDF, check it, count its pages.
// Blocking (LibreOffice may run for seconds): it runs on the office service's worker thread.
class OfficePipeline
{
    Q_DECLARE_TR_FUNCTIONS(OfficePipeline)

public:
    struct Result
    {
        bool ok = false;
        bool converted = false; // LibreOffice ran for this request
        CConverter::Kind kind = CConverter::Kind::Word;
        QString pdfPath;
        int pageCount = 0;
        QString message; // for the operator when !ok
    };

    // `cancel` ends the run; `timedOut` (set with it) says the time limit did. `progress` is
    // called with the pages counted so far.
    static Result run(const QString &sourcePath, const QString &cacheDir, const std::atomic_bool &cancel,
                      const std::atomic_bool &timedOut, const std::function<void(int)> &progress);
};
