#include "mupdfpage.h"

extern "C" {
#include <mupdf/fitz.h>
}

#include <cmath>

namespace MuPDF {

Page::Page(fz_context *ctx, fz_page *page)
    : m_ctx(ctx)
    , m_page(page)
{}

Page::~Page()
{
    fz_drop_page(m_ctx, m_page);
}

QSizeF Page::size() const
{
    fz_rect r = fz_empty_rect;
    fz_try(m_ctx)
    {
        r = fz_bound_page(m_ctx, m_page);
    }
    fz_catch(m_ctx)
    {
        r = fz_empty_rect;
    }
    return QSizeF(qMax(0.0f, r.x1 - r.x0), qMax(0.0f, r.y1 - r.y0));
}

QImage Page::renderImage(float scaleX, float scaleY, float rotation) const
{
    fz_rect bounds = fz_empty_rect;
    fz_try(m_ctx)
    {
        bounds = fz_bound_page(m_ctx, m_page);
    }
    fz_catch(m_ctx)
    {
        bounds = fz_empty_rect;
    }
    // Sizes are taken in whole points, as page sizes are meant: an A4 page (595.3 x 841.9
    // points) is 595 x 842 and gives 1190 x 1684 pixels at scale 2, whatever fraction of a
    // point the program that wrote the PDF added.
    const float pointsW = qMax(1.0f, std::round(bounds.x1 - bounds.x0));
    const float pointsH = qMax(1.0f, std::round(bounds.y1 - bounds.y0));
    const fz_matrix turn = fz_concat(fz_scale(scaleX, scaleY), fz_rotate(rotation));
    const fz_rect nominal = fz_transform_rect(fz_make_rect(0, 0, pointsW, pointsH), turn);
    double width = nominal.x1 - nominal.x0;
    double height = nominal.y1 - nominal.y0;
    if (!(width > 0 && height > 0))
        return QImage();
    // A poster page is drawn smaller rather than as a picture of gigabytes.
    const double longer = qMax(width, height);
    if (longer > kMaxSide) {
        width *= kMaxSide / longer;
        height *= kMaxSide / longer;
    }
    const int w = qBound(1, int(std::lround(width)), int(kMaxSide));
    const int h = qBound(1, int(std::lround(height)), int(kMaxSide));
    // The page's real area, turned and scaled, is fitted exactly onto w x h.
    const fz_rect area = fz_transform_rect(bounds, turn);
    const float areaW = area.x1 - area.x0;
    const float areaH = area.y1 - area.y0;
    if (!(areaW > 0 && areaH > 0))
        return QImage();
    const fz_matrix ctm =
        fz_concat(fz_concat(turn, fz_translate(-area.x0, -area.y0)), fz_scale(w / areaW, h / areaH));

    QImage out(w, h, QImage::Format_RGB888);
    if (out.isNull())
        return QImage();
    out.fill(Qt::white);
    fz_pixmap *pix = nullptr;
    fz_device *dev = nullptr;
    int failed = 0;
    fz_var(pix);
    fz_var(dev);
    fz_try(m_ctx)
    {
        // MuPDF draws straight into the picture's rows.
        pix = fz_new_pixmap_with_data(m_ctx, fz_device_rgb(m_ctx), w, h, nullptr, 0, int(out.bytesPerLine()),
                                      out.bits());
        dev = fz_new_draw_device(m_ctx, fz_identity, pix);
        fz_run_page(m_ctx, m_page, dev, ctm, nullptr);
        fz_close_device(m_ctx, dev);
    }
    fz_always(m_ctx)
    {
        fz_drop_device(m_ctx, dev);
        fz_drop_pixmap(m_ctx, pix);
    }
    fz_catch(m_ctx)
    {
        failed = 1;
    }
    return failed ? QImage() : out;
}

} // namespace MuPDF
