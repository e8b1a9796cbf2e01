#pragma once

#include <QImage>
#include <QSizeF>

struct fz_context;
struct fz_page;

namespace MuPDF {

// One page of a Document.
class Page
{
public:
    Page(fz_context *ctx, fz_page *page);
    ~Page();
    Page(const Page &) = delete;
    Page &operator=(const Page &) = delete;

    // Size in PDF points (1/72 inch).
    QSizeF size() const;
    // The page at `scaleX` x `scaleY` pixels per point, turned by `rotation` degrees; a picture
    // whose longer side would exceed kMaxSide is scaled down to it. Null when rendering fails.
    QImage renderImage(float scaleX, float scaleY, float rotation) const;

    static constexpr int kMaxSide = 8192;

private:
    fz_context *m_ctx;
    fz_page *m_page;
};

} // namespace MuPDF
