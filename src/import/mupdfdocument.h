#pragma once

#include <QSizeF>
#include <QString>

#include <memory>

struct fz_context;
struct fz_document;

namespace MuPDF {

class Page;

// A PDF opened through MuPDF, with its own MuPDF context: one Document (and its pages) is
// used by one thread at a time; separate Documents may work in separate threads.
class Document
{
public:
    ~Document();
    Document(const Document &) = delete;
    Document &operator=(const Document &) = delete;

    int numPages() const { return m_pageCount; }
    // nullptr when the page cannot be loaded; the page must not outlive this document.
    std::unique_ptr<Page> page(int index) const;
    QString errorString() const { return m_error; }

private:
    friend std::unique_ptr<Document> loadDocument(const QString &path, QString *errorString);
    Document() = default;

    fz_context *m_ctx = nullptr;
    fz_document *m_doc = nullptr;
    int m_pageCount = 0;
    mutable QString m_error;
};

// Opens `path`; nullptr with a reason when MuPDF cannot read it.
std::unique_ptr<Document> loadDocument(const QString &path, QString *errorString = nullptr);

} // namespace MuPDF
