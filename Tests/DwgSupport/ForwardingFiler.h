// A filer as a host hands one to a reader: every call goes to another filer,
// and it answers nothing about how much of the record is left.
#pragma once

#include <dbfiler.h>

class ForwardingFiler : public AcDbDwgFiler
{
public:
    explicit ForwardingFiler(AcDbDwgFiler& target) : m_target(target) {}

    Acad::ErrorStatus filerStatus() const override { return m_target.filerStatus(); }
    AcDb::FilerType filerType() const override { return m_target.filerType(); }
    void setFilerStatus(Acad::ErrorStatus status) override { m_target.setFilerStatus(status); }
    void resetFilerStatus() override { m_target.resetFilerStatus(); }
    AcDbDatabase* database() const override { return m_target.database(); }

    Acad::ErrorStatus readInt32(Adesk::Int32* value) override { return m_target.readInt32(value); }
    Acad::ErrorStatus writeInt32(Adesk::Int32 value) override { return m_target.writeInt32(value); }
    Acad::ErrorStatus readBool(Adesk::Boolean* value) override { return m_target.readBool(value); }
    Acad::ErrorStatus writeBool(Adesk::Boolean value) override { return m_target.writeBool(value); }
    Acad::ErrorStatus readDouble(double* value) override { return m_target.readDouble(value); }
    Acad::ErrorStatus writeDouble(double value) override { return m_target.writeDouble(value); }
    Acad::ErrorStatus readPoint3d(AcGePoint3d* value) override { return m_target.readPoint3d(value); }
    Acad::ErrorStatus writePoint3d(const AcGePoint3d& value) override { return m_target.writePoint3d(value); }
    Acad::ErrorStatus readAcDbHandle(AcDbHandle* value) override { return m_target.readAcDbHandle(value); }
    Acad::ErrorStatus writeAcDbHandle(const AcDbHandle& value) override { return m_target.writeAcDbHandle(value); }
    Acad::ErrorStatus readBytes(void* buffer, Adesk::UIntPtr length) override
    {
        return m_target.readBytes(buffer, length);
    }
    Acad::ErrorStatus writeBytes(const void* buffer, Adesk::UIntPtr length) override
    {
        return m_target.writeBytes(buffer, length);
    }
    Acad::ErrorStatus readString(ACHAR** value) override { return m_target.readString(value); }
    Acad::ErrorStatus writeString(const ACHAR* value) override { return m_target.writeString(value); }

private:
    AcDbDwgFiler& m_target;
};
