#pragma once

#include "model/officepagesource.h"

#include <QString>

// The pages of a cached PDF, drawn when asked for at twice their size in points (a page of
// 595 x 842 points gives 1190 x 1684 pixels). Each call opens the file on its own, so calls
// from several threads never share MuPDF state.
class PdfPageSource : public OfficePageSource
{
public:
    PdfPageSource(const QString &pdfPath, int pageCount);

    int count() const override { return m_count; }
    QImage page(int index) const override;
    QString pdfPath() const { return m_path; }

    static constexpr float kScale = 2.0f;

private:
    QString m_path;
    int m_count;
};
