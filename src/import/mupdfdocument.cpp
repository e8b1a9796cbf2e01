#include "mupdfdocument.h"

#include "mupdfpage.h"

extern "C" {
#include <mupdf/fitz.h>
}

namespace MuPDF {

// fz_try is setjmp/longjmp: the blocks below hold no objects with destructors and never
// return from inside.

Document::~Document()
{
    if (m_ctx) {
        fz_drop_document(m_ctx, m_doc);
        fz_drop_context(m_ctx);
    }
}

std::unique_ptr<Page> Document::page(int index) const
{
    if (index < 0 || index >= m_pageCount)
        return nullptr;
    fz_page *page = nullptr;
    const char *failure = nullptr;
    fz_try(m_ctx)
    {
        page = fz_load_page(m_ctx, m_doc, index);
    }
    fz_catch(m_ctx)
    {
        failure = fz_caught_message(m_ctx);
    }
    if (!page) {
        m_error = QString::fromUtf8(failure ? failure : "page cannot be loaded");
        return nullptr;
    }
    return std::make_unique<Page>(m_ctx, page);
}

std::unique_ptr<Document> loadDocument(const QString &path, QString *errorString)
{
    std::unique_ptr<Document> d(new Document);
    d->m_ctx = fz_new_context(nullptr, nullptr, FZ_STORE_DEFAULT);
    if (!d->m_ctx) {
        if (errorString)
            *errorString = QStringLiteral("out of memory");
        return nullptr;
    }
    const QByteArray file = path.toUtf8();
    fz_context *ctx = d->m_ctx;
    fz_document *doc = nullptr;
    int pages = 0;
    const char *failure = nullptr;
    fz_try(ctx)
    {
        fz_register_document_handlers(ctx);
        doc = fz_open_document(ctx, file.constData());
        pages = fz_count_pages(ctx, doc);
    }
    fz_catch(ctx)
    {
        failure = fz_caught_message(ctx);
    }
    d->m_doc = doc;
    if (failure || !doc) {
        if (errorString)
            *errorString = QString::fromUtf8(failure ? failure : "cannot be opened");
        return nullptr;
    }
    d->m_pageCount = qMax(0, pages);
    return d;
}

} // namespace MuPDF
