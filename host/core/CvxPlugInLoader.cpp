#include "CvxPlugInLoader.h"

#include "CvxInfoMgr.h"
#include "CvxPlugInBase.h"
#include "CvxStringConvert.h"

#include <system_error>

#include <dlfcn.h>

void CvxPlugInLoader::Deleter::operator()(CvxPlugInBase* plugIn) const
{
    delete plugIn;
}

bool CvxPlugInLoader::Fail(const std::string& reason)
{
    m_error = reason;
    CvxInfoMgr::GetInstance().LogMessage(
        kMessageError, CvxStringConvert::FromUtf8("Module '" + m_path.string() + "' cannot be used: " + reason));
    return false;
}

bool CvxPlugInLoader::Load(const std::filesystem::path& module)
{
    m_path = module;
    m_module.reset();
    m_create = nullptr;
    m_error.clear();

    std::error_code ec;
    if (!std::filesystem::is_regular_file(module, ec)) {
        return Fail(std::filesystem::exists(module, ec) ? "it is not a file" : "no such file");
    }
    dlerror();
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = dlerror();
        return Fail(std::string("it cannot be loaded (") + (why != nullptr ? why : "unknown reason") + ")");
    }
    std::shared_ptr<void> loaded(handle, [](void* h) { dlclose(h); });
    dlerror();
    void* symbol = dlsym(handle, "Create");
    if (symbol == nullptr) {
        return Fail("it exports no entry point 'Create'");
    }
    m_module = std::move(loaded);
    m_create = reinterpret_cast<CreateFunction>(symbol);
    return true;
}

CvxPlugInLoader::PlugInPtr CvxPlugInLoader::Create(CvxPlugInDataBase& data) const
{
    if (m_create == nullptr) {
        return PlugInPtr(nullptr, Deleter{});
    }
    CvxPlugInBase* plugIn = m_create(&data);
    return PlugInPtr(plugIn, Deleter{plugIn != nullptr ? m_module : nullptr});
}
