#pragma once
// The host's single register of print controllers: each viewer that can print registers its
// controller, and the host's print framework asks it what and how to print. Controllers are
// not owned; their interface belongs to the GUI side of the host.

#include <vector>

class CvxPrintCtrlBase;

class CvxPrintMgr {
public:
    static CvxPrintMgr& GetInstance();

    CvxPrintMgr(const CvxPrintMgr&) = delete;
    CvxPrintMgr& operator=(const CvxPrintMgr&) = delete;

    // False for a null controller or one already registered.
    bool RegisterPrintController(CvxPrintCtrlBase* controller);
    bool UnRegisterPrintController(CvxPrintCtrlBase* controller);
    bool IsRegistered(const CvxPrintCtrlBase* controller) const;
    // In the order they were registered.
    const std::vector<CvxPrintCtrlBase*>& GetPrintControllers() const { return m_controllers; }

    void Reset() { m_controllers.clear(); }

private:
    CvxPrintMgr() = default;

    std::vector<CvxPrintCtrlBase*> m_controllers;
};
