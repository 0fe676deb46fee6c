#pragma once
// Run-time classes: a named factory, so that the host can make a plug-in's document, view
// and frame objects without knowing their types. CvxRuntimeClass is the opaque side (the
// host passes view and frame classes through as such); CvxRuntimeClass_T<T> makes objects
// that are, or derive from, T.

#include <functional>
#include <memory>
#include <string>
#include <utility>

class CvxRuntimeClass {
public:
    explicit CvxRuntimeClass(std::string name) : m_name(std::move(name)) {}
    CvxRuntimeClass(const CvxRuntimeClass&) = default;
    CvxRuntimeClass& operator=(const CvxRuntimeClass&) = default;
    virtual ~CvxRuntimeClass() = default;

    const std::string& GetName() const { return m_name; }

private:
    std::string m_name;
};

template <typename T>
class CvxRuntimeClass_T : public CvxRuntimeClass {
public:
    using Factory = std::function<std::unique_ptr<T>()>;

    CvxRuntimeClass_T(std::string name, Factory factory) : CvxRuntimeClass(std::move(name)), m_factory(std::move(factory))
    {
    }

    // The run-time class of D, made with its default constructor.
    template <typename D>
    static CvxRuntimeClass_T Of(std::string name)
    {
        return CvxRuntimeClass_T(std::move(name), [] { return std::unique_ptr<T>(std::make_unique<D>()); });
    }

    // Null when the class has no factory.
    std::unique_ptr<T> CreateObject() const { return m_factory ? m_factory() : nullptr; }

private:
    Factory m_factory;
};
