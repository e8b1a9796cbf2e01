#include "officejob.h"

#include "officeservice.h"

OfficeJob::OfficeJob(const QString &source, CConverter::Kind kind, OfficeService *service)
    : m_service(service)
    , m_source(source)
    , m_kind(kind)
{}

void OfficeJob::cancel()
{
    if (m_service)
        m_service->cancelJob(this);
}
