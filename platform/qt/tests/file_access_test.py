"""The strace log judge on hand-written lines, allowed and refused."""

import unittest

import file_access

GAME = "/opt/build/platform/qt/townwright"
HOME = "/tmp/run/home"
RUNTIME = "/tmp/run/runtime"
CWD = "AT_FDCWD</tmp/run/cwd>"


def judge(*lines):
    calls = file_access.parse(line + "\n" for line in lines)
    return file_access.judge(calls, file_access.Rules(GAME, HOME, RUNTIME))


def reasons(verdict):
    return [reason for reason, _ in verdict.refused]


class Allowed(unittest.TestCase):
    def test_what_the_libraries_need_passes_and_is_counted_by_category(self):
        verdict = judge(
            f'100 execve("{GAME}", ["{GAME}"], 0x7ffc /* 41 vars */) = 0',
            f'100 openat({CWD}, "/etc/ld.so.cache", O_RDONLY|O_CLOEXEC) = 3</etc/ld.so.cache>',
            f'100 openat({CWD}, "/lib/x86_64-linux-gnu/libQt6Core.so.6", O_RDONLY|O_CLOEXEC) = 3'
            '</usr/lib/x86_64-linux-gnu/libQt6Core.so.6.4.2>',
            f'100 openat({CWD}, "/usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqxcb.so", '
            'O_RDONLY|O_CLOEXEC) = 3</usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqxcb.so>',
            f'100 openat({CWD}, "/var/cache/fontconfig//fe54-le64.cache-8", O_RDONLY|O_CLOEXEC) = '
            '6</var/cache/fontconfig/fe54-le64.cache-8>',
            f'100 openat({CWD}, "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", O_RDONLY) = 6'
            '</usr/share/fonts/truetype/dejavu/DejaVuSans.ttf>',
            # The user's own settings of the libraries are looked for; a fresh home has none.
            f'100 openat({CWD}, "{HOME}/.cache/fontconfig//fe54-le64.cache-8", O_RDONLY|O_CLOEXEC)'
            ' = -1 ENOENT (No such file or directory)',
            f'100 openat({CWD}, "{HOME}/.Xdefaults-host", O_RDONLY) = -1 ENOENT (No such file)',
            f'101 openat({CWD}, "/proc/self/maps", O_RDONLY|O_CLOEXEC) = 7</proc/100/maps>',
            f'100 openat({CWD}, "/opt/build/platform/qt/platforms", '
            'O_RDONLY|O_NONBLOCK|O_CLOEXEC|O_DIRECTORY) = -1 ENOENT (No such file or directory)',
            # Relative to a directory descriptor: fontconfig reads its configuration so.
            '100 openat(6</etc/fonts>, "conf.d/10-hinting.conf", O_RDONLY) = 7'
            '</etc/fonts/conf.d/10-hinting.conf>',
        )
        self.assertEqual(verdict.refused, [])
        self.assertEqual(verdict.opened["shared libraries"], 2)
        self.assertEqual(verdict.opened["Qt"], 1)
        self.assertEqual(verdict.absent["Qt"], 1)
        self.assertEqual(verdict.opened["fontconfig"], 2)
        self.assertEqual(verdict.absent["fontconfig"], 1)
        self.assertEqual(verdict.absent["X11"], 1)
        self.assertEqual(verdict.processes, {"100", "101"})
        summary = "\n".join(file_access.report(verdict))
        self.assertIn("nothing written", summary)
        self.assertRegex(summary, r"fontconfig +2 / 1")

    def test_looks_anywhere_read_nothing_and_pass(self):
        verdict = judge(
            f'100 newfstatat({CWD}, "{HOME}/city.sav", 0x7ffd, 0) = -1 ENOENT (No such file)',
            f'100 access("{HOME}/.fonts.conf", R_OK) = -1 ENOENT (No such file or directory)',
            '100 readlink("/work", 0x7ffd8c1bf160, 1023) = -1 EINVAL (Invalid argument)',
            f'100 statx({CWD}, "/tmp/run/runtime", AT_STATX_SYNC_AS_STAT, STATX_ALL, '
            '{stx_mask=STATX_ALL, stx_mode=S_IFDIR|0700, ...}) = 0',
        )
        self.assertEqual(verdict.refused, [])
        self.assertEqual(verdict.looks, 4)

    def test_making_the_existing_runtime_directory_is_harmless(self):
        verdict = judge(f'100 mkdir("{RUNTIME}", 0700) = -1 EEXIST (File exists)')
        self.assertEqual((verdict.refused, verdict.harmless), ([], 1))


class Refused(unittest.TestCase):
    def test_every_way_of_opening_for_writing(self):
        verdict = judge(
            f'100 openat({CWD}, "{HOME}/city.sav", O_WRONLY|O_CREAT|O_TRUNC, 0666) = 3',
            f'100 openat({CWD}, "/var/cache/fontconfig//6f43-le64.cache-8", O_RDWR|O_CLOEXEC)'
            ' = -1 ENOENT (No such file or directory)',
            f'100 open("{HOME}/townwright.log", O_WRONLY|O_APPEND) = 4',
            f'100 creat("{HOME}/city.sav", 0644) = 5',
            f'100 openat2({CWD}, "{HOME}", {{flags=O_RDWR|O_TMPFILE, mode=0600}}, 24) = 6',
            # The fresh home's fontconfig cache is allowed for reading only.
            f'100 openat({CWD}, "{HOME}/.cache/fontconfig/x.cache-8.NEW", '
            'O_RDWR|O_CREAT|O_CLOEXEC, 0666) = 6',
        )
        self.assertEqual(reasons(verdict), [
            "opens for writing (O_CREAT|O_TRUNC|O_WRONLY)", "opens for writing (O_RDWR)",
            "opens for writing (O_APPEND|O_WRONLY)", "opens for writing (creat)",
            "opens for writing (O_RDWR|O_TMPFILE)", "opens for writing (O_CREAT|O_RDWR)"])
        self.assertIn("fc-cache -s", "\n".join(file_access.report(verdict)))

    def test_every_change_to_the_file_system_even_a_failed_one(self):
        verdict = judge(
            f'100 mkdir("{HOME}/.config/townwright", 0700) = 0',
            '100 mkdir("/tmp/runtime-root", 0700) = -1 EEXIST (File exists)',
            # The runtime directory made anew means it was missing: the game made it.
            f'100 mkdir("{RUNTIME}", 0700) = 0',
            '100 unlink("/tmp/a") = -1 ENOENT (No such file or directory)',
            f'100 renameat2({CWD}, "a.NEW", {CWD}, "a", RENAME_NOREPLACE) = 0',
            '100 link("/tmp/a.TMP", "/tmp/a.LCK") = 0',
            f'100 symlinkat("/etc", {CWD}, "b") = 0',
            f'100 truncate("{HOME}/city.sav", 0) = 0',
            f'100 rmdir("{HOME}/x") = 0',
            f'100 utimensat({CWD}, "{HOME}/x", NULL, 0) = 0',
            f'100 fchmodat({CWD}, "{HOME}/x", 0600) = 0',
            '100 mknodat(AT_FDCWD</tmp>, "fifo", S_IFIFO|0600) = 0',
        )
        self.assertEqual(reasons(verdict), ["changes the file system, or may"] * 12)

    def test_reading_outside_the_allow_list_even_by_a_detour(self):
        verdict = judge(
            f'100 openat({CWD}, "city.sav", O_RDONLY) = -1 ENOENT (No such file or directory)',
            f'100 openat({CWD}, "{HOME}/.config/townwright.conf", O_RDONLY) = 3',
            f'100 openat({CWD}, "/usr/share/fonts/../../../tmp/run/home/city.sav", O_RDONLY) = 3',
            '100 openat(6</usr/share/fonts>, "../../../etc/shadow", O_RDONLY) = 3',
            f'100 openat({CWD}, "/opt/build/platform/qt/city.sav", O_RDONLY) = 3',
            # Relative, and strace could not say to what: nothing proves it harmless.
            '100 open("city.sav", O_RDONLY) = 3',
        )
        self.assertEqual(reasons(verdict), ["reads a file outside the allow-list"] * 6)

    def test_only_the_game_itself_may_be_started(self):
        verdict = judge(
            f'100 execve("{GAME}", ["townwright"], 0x7ffc /* 41 vars */) = 0',
            '101 execve("/usr/bin/dbus-launch", ["dbus-launch", "--autolaunch"], 0x7ffd) = '
            '-1 ENOENT (No such file or directory)',
        )
        self.assertEqual(reasons(verdict), ["starts another program"])


class Parsing(unittest.TestCase):
    def test_a_call_interrupted_by_another_thread_is_judged_whole(self):
        verdict = judge(
            f'101 openat({CWD}, "{HOME}/city.sav", O_WRONLY|O_CREAT <unfinished ...>',
            f'100 openat({CWD}, "/etc/ld.so.cache", O_RDONLY) = 3</etc/ld.so.cache>',
            '101 <... openat resumed>, 0666) = 4</tmp/run/home/city.sav>',
            f'102 openat({CWD}, "/usr/share/fonts/a.ttf", O_RDONLY <unfinished ...>',
            '102 <... openat resumed>) = 5</usr/share/fonts/a.ttf>',
        )
        self.assertEqual(reasons(verdict), ["opens for writing (O_CREAT|O_WRONLY)"])
        self.assertEqual(verdict.opened["fonts"], 1)

    def test_a_call_its_thread_never_finished_is_still_judged(self):
        verdict = judge(f'101 unlink("{HOME}/city.sav" <unfinished ...>',
                        "101 +++ killed by SIGKILL +++")
        self.assertEqual(reasons(verdict), ["changes the file system, or may"])

    def test_the_flags_are_read_after_the_path_not_in_it(self):
        verdict = judge(
            f'100 openat({CWD}, "/usr/share/fonts/O_RDWR \\"O_CREAT\\".ttf", O_RDONLY) = 3',
            f'100 openat({CWD}, "/tmp/run/home/.fonts/caf\\303\\251.ttf", O_RDONLY) = 4',
            f'100 openat({CWD}, "/tmp/run/home/.fonts/\\x63af\\xc3\\xa9.ttf", O_RDONLY) = 5',
        )
        self.assertEqual(verdict.refused, [])
        self.assertEqual(verdict.paths["fonts"], {'/usr/share/fonts/O_RDWR "O_CREAT".ttf',
                                                  "/tmp/run/home/.fonts/café.ttf"})

    def test_special_characters_in_the_run_s_directories_stand_for_themselves(self):
        rules = file_access.Rules("/opt/b[1]/townwright", "/tmp/h*", None)
        self.assertEqual(rules.category("/opt/b[1]/qt.conf"), "Qt")
        self.assertIsNone(rules.category("/opt/b1/qt.conf"))
        self.assertIsNone(rules.category("/tmp/hx/.fonts/a.ttf"))
        self.assertEqual(rules.category("/tmp/h*/.fonts/a.ttf"), "fonts")

    def test_signals_and_exits_are_skipped_and_anything_else_unreadable_fails(self):
        self.assertEqual(judge("100 --- SIGCHLD {si_signo=SIGCHLD} ---",
                               "100 +++ exited with 0 +++").calls, 0)
        with self.assertRaises(ValueError):
            judge("strace: Process 100 attached")
        with self.assertRaises(ValueError):
            judge(f'100 openat({CWD}, "/etc/passwd", O_RDONLY')


if __name__ == "__main__":
    unittest.main()
