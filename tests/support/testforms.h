#pragma once
#include "app/program.h"
#include "support/fakes.h"
#include "support/fake_registry.h"

#include <functional>

// The program's windows, wired as in the product, on fakes, with the end of the program
// counted instead of carried out. One per test; its destructor closes whatever is still open.
class TestForms {
public:
    TestForms();
    ~TestForms();

    fakes::Clock clock;
    fakes::UrlOpener urls;
    fakes::ProgramStarter starter;
    fakes::FileProbe files;
    fakes::MessageDialog messages;
    fakes::Registry registry;
    Program forms;
    int programEnds = 0;

    // Lets deferred deletions of unloaded windows happen.
    static void flush();

private:
    std::function<void()> m_previousEnd;
};
