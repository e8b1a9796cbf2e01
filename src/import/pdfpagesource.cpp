#include "pdfpagesource.h"

#include "mupdfdocument.h"
#include "mupdfpage.h"

PdfPageSource::PdfPageSource(const QString &pdfPath, int pageCount)
    : m_path(pdfPath)
    , m_count(pageCount)
{}

QImage PdfPageSource::page(int index) const
{
    if (index < 0 || index >= m_count)
        return QImage();
    const auto doc = MuPDF::loadDocument(m_path);
    if (!doc)
        return QImage();
    const auto page = doc->page(index);
    return page ? page->renderImage(kScale, kScale, 0.0f) : QImage();
}
