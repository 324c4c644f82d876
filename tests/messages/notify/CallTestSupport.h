#pragma once

#include "messages/notify/IncomingCallHandler.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

// A question the test answers or watches being withdrawn, and the factory that records them.
struct FakeQuestionLog {
    struct Entry {
        QString caption;
        QString text;
        std::function<void(int)> closed;
        bool withdrawn = false;
    };
    std::vector<std::shared_ptr<Entry>> entries;
    // Runs when a question opens (the handler is waiting in its loop by then or soon after).
    std::function<void(Entry&)> onOpen;

    CallQuestionFactory factory() {
        return [this](const QString& caption, const QString& text) {
            auto entry = std::make_shared<Entry>();
            entry->caption = caption;
            entry->text = text;
            entries.push_back(entry);
            return std::unique_ptr<CallQuestion>(new Question(*this, entry));
        };
    }

private:
    class Question : public CallQuestion {
    public:
        Question(FakeQuestionLog& log, std::shared_ptr<Entry> entry)
            : Log(log), Mine(std::move(entry)) {}
        void open(std::function<void(int)> closed) override {
            Mine->closed = std::move(closed);
            if (Log.onOpen)
                Log.onOpen(*Mine);
        }
        void withdraw() override { Mine->withdrawn = true; }

    private:
        FakeQuestionLog& Log;
        std::shared_ptr<Entry> Mine;
    };
};
