// The host application's services: the working database.
#include "HostInternal.h"

AcDbDatabase* AcDbHostApplicationServices::workingDatabase() const
{
    DwgHostDetail::HostState& state = DwgHostDetail::host();
    if (state.workingDatabase)
        return state.workingDatabase;
    if (!state.defaultDatabase) {
        DwgHostDetail::HostOwnStep ownStep;
        state.defaultDatabase = new AcDbDatabase(true, false);
    }
    return state.defaultDatabase;
}

void AcDbHostApplicationServices::setWorkingDatabase(AcDbDatabase* database)
{
    DwgHostDetail::host().workingDatabase = database;
}

AcDbHostApplicationServices* acdbHostApplicationServices()
{
    static AcDbHostApplicationServices services;
    return &services;
}
