#pragma once

#include <QString>

class Call_Data_Type;
struct Call_Info_Type;
struct Phone_Number_Type;

// What filing a new voice message needs of the main window and its views.
class ArrivalHost {
public:
    virtual ~ArrivalHost();
    virtual void SetCanDisconnect(bool canDisconnect) = 0;
    virtual void ShowNewMessageIcon() = 0;
    virtual void SelectFolderByName(const QString& name) = 0;
    // dat/calls/inbox/ as spelt on disk, with a trailing '/'.
    virtual QString InboxDir() const = 0;
    virtual void AddMessageItem(const Call_Info_Type& info, const QString& extension,
                                const QString& folder) = 0;
    virtual void AnnounceMessage(const Phone_Number_Type& caller,
                                 const Call_Data_Type& message) = 0;
    virtual void PopUpMainWindow() = 0;
};
