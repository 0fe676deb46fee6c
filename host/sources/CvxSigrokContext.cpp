#include "CvxSigrokContext.h"

#include "CvxAcquisitionSource.h"
#include "CvxInfoMgr.h"
#include "CvxSourceText.h"
#include "CvxStringConvert.h"

#include <cstdarg>
#include <cstdio>
#include <libsigrok/libsigrok.h>
#include <memory>

int CvxSigrokLog(void* data, int level, const char* format, va_list args)
{
    char text[1024];
    std::vsnprintf(text, sizeof text, format, args);
    static_cast<CvxSigrokContext*>(data)->Log(level, text);
    return SR_OK;
}

CvxSigrokContext& CvxSigrokContext::Get()
{
    static std::unique_ptr<CvxSigrokContext> instance(new CvxSigrokContext());
    return *instance;
}

CvxSigrokContext::CvxSigrokContext()
{
    sr_log_callback_set(&CvxSigrokLog, this);
    sr_log_loglevel_set(SR_LOG_ERR);
    const int result = sr_init(&m_context);
    if (result != SR_OK) {
        m_context = nullptr;
        throw CvxSourceError(std::string("libsigrok could not be initialised: ") + sr_strerror(result));
    }
}

CvxSigrokContext::~CvxSigrokContext()
{
    if (m_context != nullptr) {
        sr_exit(m_context);
    }
    sr_log_callback_set_default();
}

void CvxSigrokContext::Log(int level, const std::string& text)
{
    if (level > SR_LOG_ERR) {
        return;
    }
    // To the host log (on the terminal only when the host echoes its log): the sources' own
    // errors already say what failed, with libsigrok's words in them.
    CvxInfoMgr::GetInstance().LogMessage(kMessageWarning, CvxStringConvert::FromUtf8("libsigrok: " + text));
    std::lock_guard lock(m_mutex);
    if (m_errors.size() < 4096) {
        m_errors += (m_errors.empty() ? "" : "; ") + text;
    }
}

std::string CvxSigrokContext::TakeErrors()
{
    std::lock_guard lock(m_mutex);
    std::string errors;
    errors.swap(m_errors);
    return errors;
}

std::string CvxSigrokContext::Explain(int result)
{
    std::string text = sr_strerror(result);
    const std::string logged = TakeErrors();
    return logged.empty() ? text : text + " (" + logged + ")";
}

sr_dev_driver* CvxSigrokContext::Driver(std::string_view name)
{
    std::string known;
    for (sr_dev_driver** d = sr_driver_list(m_context); d != nullptr && *d != nullptr; ++d) {
        if (name != (*d)->name) {
            known += (known.empty() ? "" : ", ") + std::string((*d)->name);
            continue;
        }
        // A driver is initialised once per context (each init makes new driver state).
        int result = SR_OK;
        {
            std::lock_guard lock(m_mutex);
            if (m_initialised.count(*d) == 0) {
                result = sr_driver_init(m_context, *d);
                if (result == SR_OK) {
                    m_initialised.insert(*d);
                }
            }
        }
        if (result != SR_OK) {
            throw CvxSourceError("libsigrok driver '" + std::string(name) + "' cannot be initialised: " + Explain(result));
        }
        return *d;
    }
    throw CvxSourceError("unknown libsigrok driver '" + std::string(name) + "' (drivers: " + known + ")");
}

GVariant* CvxSigrokContext::MakeVariant(int datatype, std::string_view text)
{
    const std::string value(CvxSourceText::Trim(text));
    switch (datatype) {
    case SR_T_STRING:
        return g_variant_new_string(value.c_str());
    case SR_T_UINT64: {
        std::uint64_t n = 0;
        return CvxSourceText::ParseUInt(value, n) ? g_variant_new_uint64(n) : nullptr;
    }
    case SR_T_INT32: {
        std::int64_t n = 0;
        return CvxSourceText::ParseInt(value, n) && n >= INT32_MIN && n <= INT32_MAX
            ? g_variant_new_int32(static_cast<gint32>(n))
            : nullptr;
    }
    case SR_T_BOOL: {
        bool b = false;
        return CvxSourceText::ParseBool(value, b) ? g_variant_new_boolean(b ? TRUE : FALSE) : nullptr;
    }
    case SR_T_FLOAT: {
        char* end = nullptr;
        const double d = std::strtod(value.c_str(), &end);
        return !value.empty() && end == value.c_str() + value.size() ? g_variant_new_double(d) : nullptr;
    }
    default:
        return nullptr;
    }
}
