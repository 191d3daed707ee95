// A recording survives its program being killed: every line written before
// the kill is in the file, since each line reaches it when written.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/script_fixture.h"

namespace kelto::test {
namespace {

class ScriptKill : public ScriptTest {
protected:
    // Records a click, three ticks and a key, then kills its own process;
    // exits with status 1 if an event is not what was injected.
    [[noreturn]] void record_and_die() {
        command(CMD_RECORD);
        click(10, 20);
        bool ok = await().kind == KELTO_MOUSE;
        KELTO_run_control(RUN_ANIMATE);
        for (int i = 0; i < 3; ++i) ok = ok && await().kind == KELTO_PERIODIC;
        KELTO_run_control(RUN_HALT);
        type('k');
        ok = ok && await().kind == KELTO_KBD;
        if (!ok) _exit(1);
        raise(SIGKILL);
        _exit(2);
    }
};

TEST_F(ScriptKill, EveryLineWrittenBeforeAKillIsInTheFile) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) record_and_die();
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "child exited with " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), SIGKILL);
    EXPECT_EQ(script(), "KELTO_MOUSE(10, 20);\nKELTO_PERIODIC(3);\nKELTO_KBD(107);\n");
}

}  // namespace
}  // namespace kelto::test
