#pragma once

#include "core/ActivityLog.h"
#include "platform/registry/MemoryRegistry.h"
#include "platform/shell/RecordingShell.h"
#include "shell/forms/TClientForm.h"
#include "support/FakeMessenger.h"
#include "support/TempProgramFolder.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

// Remembers the order in which keys were deleted.
class RecordingRegistry : public MemoryRegistry {
public:
    bool deleteKey(const QString& key) override {
        deleted.append(key);
        return MemoryRegistry::deleteKey(key);
    }
    QStringList deleted;
};

// A main window whose live settings the test chooses.
class TestClientForm : public TClientForm {
public:
    using TClientForm::TClientForm;
    LiveSettings settings;

protected:
    const LiveSettings& liveSettings() const override { return settings; }
};

// A started main window in a throw-away program folder, ending the process only on paper.
class ClientFixture : public testing::Test {
protected:
    void SetUp() override {
        client = std::make_unique<TestClientForm>(registry, *messenger, shell);
        endedWith.clear();
        client->EndProcess = [this](int code) { endedWith.append(code); };
    }
    void start() {
        ASSERT_EQ(client->FormCreate(log, folder.programDir()), TClientForm::StartResult::Ready);
        client->CreateSecondaryForms();
    }
    void TearDown() override {
        client.reset();
        InstallActivityLog(nullptr);
    }

    TempProgramFolder folder;
    RecordingRegistry registry;
    FakeMessenger fakeMessenger;
    AppMessenger* messenger = &fakeMessenger;
    RecordingShell shell;
    ActivityLog log;
    std::unique_ptr<TestClientForm> client;
    QList<int> endedWith;
};
