#pragma once
// The process's one libsigrok context, made on first use. libsigrok's log goes through a
// callback: errors are written to the host's stderr and kept for the next error text;
// everything less than an error stays quiet.

#include <cstdarg>
#include <cstdint>
#include <mutex>
#include <set>
#include <string>
#include <string_view>

struct sr_context;
struct sr_dev_driver;
struct _GVariant;

class CvxSigrokContext {
public:
    // Throws CvxSourceError when libsigrok cannot be initialised.
    static CvxSigrokContext& Get();
    ~CvxSigrokContext();
    CvxSigrokContext(const CvxSigrokContext&) = delete;
    CvxSigrokContext& operator=(const CvxSigrokContext&) = delete;

    sr_context* Raw() const { return m_context; }
    // An initialised driver by name; throws CvxSourceError naming the drivers there are.
    sr_dev_driver* Driver(std::string_view name);
    // A value of a config key's type from text (numbers may carry k, M or G); null on bad text.
    static _GVariant* MakeVariant(int datatype, std::string_view text);
    // libsigrok's error messages since the last call, joined by "; " (empty when none).
    std::string TakeErrors();
    // Text of a libsigrok result code, with the logged errors that came with it.
    std::string Explain(int result);

private:
    CvxSigrokContext();
    void Log(int level, const std::string& text);
    friend int CvxSigrokLog(void* data, int level, const char* format, va_list args);

    sr_context* m_context = nullptr;
    std::mutex m_mutex;
    std::string m_errors;
    std::set<sr_dev_driver*> m_initialised;
};
