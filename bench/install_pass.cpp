// Times the install pass of a set-up that carries a product-sized payload,
// beside LZ32 expanding the same five compressed files alone. Started by
// bench/install-pass.sh under Wine:
//   bench_install_pass BUILD_DIR PRODUCT_DIR RUNS
// The set-up is played from a hard-disk folder over an earlier installation
// of this same version, so that it starts no program of the payload: the
// agreement, Install with the folder it offers, No to both closing questions.
#include "check.h"
#include "core/payload_table.h"
#include "core/registry_path.h"
#include "resource_ids.h"
#include "run/run.h"
#include "run/setup_state.h"
#include "core/user_texts.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

static const std::string Dest = "C:\\Program Files\\Brightlark";
static const char DiskFolder[] = "C:\\setupdisk";
static const char LzFolder[] = "C:\\bench-lz";
constexpr unsigned Files = PayloadRowCount;

static std::string Build, Product;
static HANDLE setupProcess; // ended on a failure, so that no set-up outlives the bench

static double Now()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

[[noreturn]] static void Fail(const char *what)
{
    std::printf("bench: %s\n", what);
    if (setupProcess)
        TerminateProcess(setupProcess, 1);
    std::exit(1);
}

// Polls every millisecond; the time `done` came true, or Fail after `ms`.
template <typename Done> static double TimeWhen(Done done, double ms, const char *what)
{
    for (double until = Now() + ms; !done(); Sleep(1))
        if (Now() > until)
            Fail(what);
    return Now();
}

// A dialog of the set-up holding item `item`; waits up to 20 s.
static HWND Window(DWORD pid, int item, const char *what)
{
    HWND found = nullptr;
    TimeWhen([&] { return (found = FindDialog(pid, nullptr, item)) != nullptr; }, 20000, what);
    return found;
}

static long long SizeOf(const std::string &path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (long long)data.nFileSizeHigh << 32 | data.nFileSizeLow;
}

static void CheckSame(const std::string &folder)
{
    for (const PayloadEntry &entry : PayloadTable)
        if (ReadFileBytes(folder + "\\" + entry.fileName) != ReadFileBytes(Product + "\\" + entry.fileName))
            Fail((folder + "\\" + entry.fileName + " differs from the product file").c_str());
}

// LZ32 alone, loaded from the system folder as the set-up loads it: the
// time each file takes, in payload order.
static std::vector<double> ExpandAlone()
{
    static HMODULE lz = LoadSystemLibrary("lz32.dll");
    static auto open = LookUpProc<INT(WINAPI *)(LPSTR, LPOFSTRUCT, WORD)>(lz, "LZOpenFileA");
    static auto copy = LookUpProc<LONG(WINAPI *)(INT, INT)>(lz, "LZCopy");
    static auto close = LookUpProc<void(WINAPI *)(INT)>(lz, "LZClose");
    RemoveTree(LzFolder);
    CreateDirectoryA(LzFolder, nullptr);
    std::vector<double> times;
    double last = Now();
    for (const PayloadEntry &entry : PayloadTable) {
        std::string name = entry.fileName, target = std::string(LzFolder) + "\\" + name;
        std::string source = Build + "\\payload\\" + name.substr(0, name.size() - 1) + "_";
        OFSTRUCT from, to;
        INT in = open(&source[0], &from, OF_READ), out = open(&target[0], &to, OF_CREATE | OF_WRITE);
        LONG copied = copy(in, out);
        close(in);
        close(out);
        times.push_back(Now() - last);
        if (copied != SizeOf(Product + "\\" + name))
            Fail(("LZ32 could not expand " + source).c_str());
        last = Now();
    }
    return times;
}

// Answers No to the box that says `text` and waits for it to go, so that
// the next box found is another.
static void AnswerNo(DWORD pid, const char *text)
{
    HWND box = Window(pid, 0xFFFF, text); // a message box's text is item 0xFFFF
    char said[512] = "";
    GetDlgItemTextA(box, 0xFFFF, said, sizeof said);
    if (lstrcmpA(said, text) != 0)
        Fail((std::string("met the box \"") + said + "\" instead of \"" + text + "\"").c_str());
    PostMessageA(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
    TimeWhen([&] { return !IsWindow(box); }, 20000, text);
}

// One install pass. The times, in milliseconds from Install pressed: the
// progress window shown, each file in place with its full length, the
// progress window gone.
static std::vector<double> Install()
{
    RemoveTree(Dest);
    PROCESS_INFORMATION pi;
    if (!StartProcess(std::string(DiskFolder) + "\\setup.exe", DiskFolder, &pi))
        Fail("the set-up does not start");
    setupProcess = pi.hProcess;
    DWORD pid = pi.dwProcessId;
    PostMessageA(GetDlgItem(Window(pid, IDC_AGREEMENT_TEXT, "no agreement"), IDOK), BM_CLICK, 0, 0);
    HWND main = Window(pid, IDC_MAIN_FOLDER, "no main dialog");
    char folder[300] = "";
    GetDlgItemTextA(main, IDC_MAIN_FOLDER, folder, sizeof folder);
    if (Dest != folder)
        Fail("the main dialog offers another folder");

    double pressed = Now();
    PostMessageA(GetDlgItem(main, IDOK), BM_CLICK, 0, 0);
    std::vector<double> times;
    HWND progress = Window(pid, IDC_PROGRESS_BAR, "no progress window");
    times.push_back(Now() - pressed);
    // The set-up expands each file under a temporary name and moves it into
    // place: the file appears whole.
    for (const PayloadEntry &entry : PayloadTable) {
        long long length = SizeOf(Product + "\\" + entry.fileName);
        std::string path = Dest + "\\" + entry.fileName;
        times.push_back(TimeWhen([&] { return SizeOf(path) == length; }, 60000, "a file never came") - pressed);
    }
    times.push_back(TimeWhen([&] { return !IsWindow(progress); }, 30000, "the progress window stays") - pressed);

    AnswerNo(pid, TextAskSoundEffects);
    AnswerNo(pid, TextAskStartInstalled);
    DWORD code;
    setupProcess = nullptr;
    if (!WaitExit(pi, 20000, &code))
        Fail("the set-up does not end");
    CheckSame(Dest);
    return times;
}

struct Figure {
    const char *name;
    std::vector<double> ms = {};
    double Median()
    {
        std::sort(ms.begin(), ms.end());
        return ms[ms.size() / 2];
    }
    void Print(int decimals = 1)
    {
        double median = Median();
        std::printf("  %-38s %8.*f %8.*f %8.*f\n", name, decimals, median, decimals, ms.front(), decimals, ms.back());
    }
};

// The figures of the counted runs. Each run's LZ32 round runs just before
// its pass, under the same load, so the two are also compared run by run.
struct Results {
    Figure shown{"Install -> progress shown"}, files{"progress shown -> last file"}, pass{"Install -> last file"},
        gone{"last file -> progress gone"}, alone{"LZ32 alone, five files"},
        filesRatio{"progress shown -> last file"}, passRatio{"Install -> last file"};
    std::vector<Figure> passFile = std::vector<Figure>(Files), aloneFile = std::vector<Figure>(Files);

    void Add(const std::vector<double> &t, const std::vector<double> &lz)
    {
        double lzAll = 0;
        for (unsigned i = 0; i < Files; ++i) {
            passFile[i].ms.push_back(t[i + 1] - t[i]);
            aloneFile[i].ms.push_back(lz[i]);
            lzAll += lz[i];
        }
        shown.ms.push_back(t[0]);
        files.ms.push_back(t[Files] - t[0]);
        pass.ms.push_back(t[Files]);
        gone.ms.push_back(t[Files + 1] - t[Files]);
        alone.ms.push_back(lzAll);
        filesRatio.ms.push_back((t[Files] - t[0]) / lzAll);
        passRatio.ms.push_back(t[Files] / lzAll);
    }

    void Print()
    {
        std::printf("\n%d runs, ms:                              median      min      max\n", int(alone.ms.size()));
        for (Figure *f : {&shown, &files, &pass, &gone, &alone})
            f->Print();
        std::printf("  each file, install pass against LZ32 alone (medians; the first from the progress shown):\n");
        for (unsigned i = 0; i < Files; ++i)
            std::printf("    %-16s %8.1f %8.1f\n", PayloadTable[i].fileName, passFile[i].Median(),
                        aloneFile[i].Median());
        std::printf("the install pass over LZ32 alone, run by run:\n");
        filesRatio.Print(2);
        passRatio.Print(2);
        std::printf("aim: the files at most 1.30 times LZ32, the launch apart: %s\n",
                    filesRatio.Median() <= 1.3 ? "met" : "missed");
    }
};

int main(int argc, char **argv)
{
    if (argc != 4 || std::atoi(argv[3]) < 1) {
        std::puts("usage: bench_install_pass BUILD_DIR PRODUCT_DIR RUNS");
        return 2;
    }
    Build = WinePath(argv[1]);
    Product = WinePath(argv[2]);
    int runs = std::atoi(argv[3]);
    CreateDirectoryA(DiskFolder, nullptr);
    if (!CopyFileA((Build + "\\setup.exe").c_str(), (std::string(DiskFolder) + "\\setup.exe").c_str(), FALSE) ||
        !CopyFileA((Build + "\\sample\\standin.exe").c_str(), "C:\\mp3coder.exe", FALSE))
        Fail("cannot lay out the set-up disk");
    // An earlier installation of this version in the default folder.
    WriteValue(HKEY_CURRENT_USER, ProductKeyPath, ValueProgramDirectory + 1, Sz(Dest));
    WriteValue(HKEY_CURRENT_USER, ProductKeyPath, ValueProgramVersion + 1, std::string("\x03\x84\x03\0\0", 5));

    Results results;
    // Round 0 warms Wine's caches and is not counted.
    for (int round = 0; round <= runs; ++round) {
        std::vector<double> lz = ExpandAlone();
        if (round == 0)
            CheckSame(LzFolder);
        std::vector<double> t = Install();
        std::printf("%s %d: progress shown %.0f, last file %.0f, progress gone %.0f ms; LZ32 alone %.0f ms\n",
                    round ? "run" : "warm-up", round, t[0], t[Files], t[Files + 1],
                    std::accumulate(lz.begin(), lz.end(), 0.0));
        std::fflush(stdout);
        if (round > 0)
            results.Add(t, lz);
    }
    results.Print();
    return 0;
}
