#pragma once
// Loads a plug-in module (a shared library) with dlopen and makes plug-ins through its
// exported entry point:
//
//   extern "C" CvxPlugInBase* Create(CvxPlugInDataBase* data);
//
// A module that is missing, cannot be loaded, or exports no Create is refused with one
// error line in the host log naming the module path and the reason. Each plug-in made keeps
// the module loaded until the plug-in is deleted, so the module's code outlives its objects
// whatever the order in which the host lets go of them.

#include <filesystem>
#include <memory>
#include <string>

class CvxPlugInBase;
class CvxPlugInDataBase;

class CvxPlugInLoader {
public:
    using CreateFunction = CvxPlugInBase* (*)(CvxPlugInDataBase* data);

    // Deletes the plug-in, then lets go of its module.
    struct Deleter {
        std::shared_ptr<void> module;
        void operator()(CvxPlugInBase* plugIn) const;
    };
    using PlugInPtr = std::unique_ptr<CvxPlugInBase, Deleter>;

    CvxPlugInLoader() = default;
    CvxPlugInLoader(const CvxPlugInLoader&) = delete;
    CvxPlugInLoader& operator=(const CvxPlugInLoader&) = delete;

    // Loads the module (letting go of one loaded before); false, logged, on failure.
    bool Load(const std::filesystem::path& module);
    bool IsLoaded() const { return m_create != nullptr; }
    const std::filesystem::path& GetPath() const { return m_path; }
    // The reason of the last failed Load (empty after a good one).
    const std::string& GetLastError() const { return m_error; }

    // The module's Create; null when no module is loaded or Create makes nothing.
    PlugInPtr Create(CvxPlugInDataBase& data) const;

private:
    bool Fail(const std::string& reason);

    std::filesystem::path m_path;
    std::shared_ptr<void> m_module;
    CreateFunction m_create = nullptr;
    std::string m_error;
};
