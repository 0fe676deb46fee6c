#pragma once
// An undoable command. It knows how to apply and revert itself; the transaction model
// executes it and keeps it in its undo history. As a model message it can also travel to the
// observers. The integer field is free for the command's owner to use.

#include "CvxMvcDefMsg.h"

class CvxMvcCommand : public CvxMvcDefMsg {
public:
    explicit CvxMvcCommand(int type = 0) : CvxMvcDefMsg(type) {}

    int GetCommandValue() const { return m_value; }
    void SetCommandValue(int value) { m_value = value; }

    virtual bool Execute() { return true; }
    virtual bool Undo() { return true; }

private:
    int m_value = 0;
};
