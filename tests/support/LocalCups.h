#pragma once

// A private CUPS server for tests: configuration, spool, logs and socket in a
// scratch folder, one cups-pdf queue whose PDFs land in a folder of its own
// (cups-pdf reads its settings from /etc/cups only, so the server runs in a
// mount namespace where a private file covers that one), and this process's
// print client pointed at it. The server dies with the object or with the
// test program. Where it cannot start, Ready() is false and Reason() says why.
#include <cups/cups.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vantrel::testing {

class LocalCups {
public:
    static constexpr const char* Queue = "VantrelPdf";

    LocalCups()
    {
        reason_ = Start();
        if (!reason_.empty())
            Stop();
    }
    ~LocalCups() { Stop(); }
    LocalCups(const LocalCups&) = delete;
    LocalCups& operator=(const LocalCups&) = delete;

    bool Ready() const { return reason_.empty(); }
    const std::string& Reason() const { return reason_; }

    std::size_t PdfCount() const
    {
        std::error_code error;
        const std::filesystem::directory_iterator files(dir_ / "pdf", error);
        return static_cast<std::size_t>(std::distance(begin(files), end(files)));
    }

    struct Job {
        int Id;
        std::string Title;
        ipp_jstate_t State;
    };
    // Every job the queue has seen, finished or not, oldest first.
    std::vector<Job> Jobs() const
    {
        cups_job_t* jobs = nullptr;
        const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, Queue, 0, CUPS_WHICHJOBS_ALL);
        std::vector<Job> result;
        for (int i = 0; i < count; ++i)
            result.push_back({jobs[i].id, jobs[i].title ? jobs[i].title : "", jobs[i].state});
        cupsFreeJobs(count, jobs);
        return result;
    }

    // Waits until no job is pending or printing; false after a minute.
    bool WaitUntilIdle() const
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        for (;;) {
            bool busy = false;
            for (const Job& job : Jobs())
                busy = busy || job.State < IPP_JSTATE_STOPPED;
            if (!busy)
                return true;
            if (std::chrono::steady_clock::now() > end)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }

    // One attribute of a job as text; empty when it has none.
    std::string JobAttribute(int id, const char* name) const
    {
        ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
        const std::string uri = "ipp://localhost/jobs/" + std::to_string(id);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.c_str());
        ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
        char text[1024] = "";
        if (ipp_attribute_t* attribute = ippFindAttribute(response, name, IPP_TAG_ZERO))
            ippAttributeString(attribute, text, sizeof text);
        ippDelete(response);
        return text;
    }

    // The queue refuses new jobs for `reason`, or takes them again.
    bool RefuseJobs(const std::string& reason) const
    {
        return Run({"/usr/sbin/cupsreject", "-r", reason, Queue});
    }
    bool AcceptJobs() const { return Run({"/usr/sbin/cupsaccept", Queue}); }

private:
    std::string Start()
    {
        const char* ppd = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";
        for (const char* needed : {"/usr/sbin/cupsd", "/usr/sbin/lpadmin", "/usr/bin/unshare", ppd})
            if (access(needed, R_OK) != 0)
                return std::string(needed) + " is not installed (scripts/install-deps.sh installs it)";
        if (geteuid() != 0)
            return "cupsd runs the cups-pdf backend only as root";
        std::string pattern = (std::filesystem::temp_directory_path() / "vantrel-cups-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            return "no scratch folder for cupsd";
        dir_ = pattern;
        // Filters run as the lp user and must reach the spool.
        std::filesystem::permissions(dir_, std::filesystem::perms(0755));
        for (const char* sub : {"root", "spool/tmp", "cache", "state", "log", "pdf", "pdf-spool"})
            std::filesystem::create_directories(dir_ / sub);
        const std::string d = dir_.string();
        std::ofstream(dir_ / "cups-files.conf")
            << "ServerRoot " << d << "/root\nRequestRoot " << d << "/spool\nTempDir " << d << "/spool/tmp\n"
            << "CacheDir " << d << "/cache\nStateDir " << d << "/state\nErrorLog " << d << "/log/error_log\n"
            << "AccessLog " << d << "/log/access_log\nPageLog " << d << "/log/page_log\nFileDevice No\n";
        std::ofstream(dir_ / "cupsd.conf")
            << "Listen " << Socket() << "\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
            << "<Location />\nOrder allow,deny\nAllow all\n</Location>\n"
            << "<Policy default>\n<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n";
        std::ofstream(dir_ / "cups-pdf.conf")
            << "Out " << d << "/pdf\nAnonDirName " << d << "/pdf\nSpool " << d << "/pdf-spool\nGrp root\n";
        pid_ = Spawn({"/usr/bin/unshare", "--mount", "--propagation", "private", "/bin/sh", "-c",
                      "mount --bind " + d +
                          "/cups-pdf.conf /etc/cups/cups-pdf.conf && exec /usr/sbin/cupsd -f -c " + d +
                          "/cupsd.conf -s " + d + "/cups-files.conf"},
                     "log/cupsd.out");
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!std::filesystem::exists(Socket())) {
            int status = 0;
            if (pid_ <= 0 || waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = 0;
                return "cupsd did not start: " + Tail("log/cupsd.out") + Tail("log/error_log");
            }
            if (std::chrono::steady_clock::now() > end)
                return "cupsd did not open its socket: " + Tail("log/error_log");
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        if (const char* previous = std::getenv("CUPS_SERVER"))
            previousServer_ = previous;
        setenv("CUPS_SERVER", Socket().c_str(), 1);
        cupsSetServer(Socket().c_str());
        if (!Run({"/usr/sbin/lpadmin", "-p", Queue, "-v", "cups-pdf:/", "-P", ppd, "-E"}) ||
            !Run({"/usr/sbin/lpadmin", "-d", Queue}))
            return "the cups-pdf queue could not be set up: " + Tail("log/commands.out");
        return {};
    }

    void Stop()
    {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            int status = 0;
            const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            bool ended = false;
            while (!(ended = waitpid(pid_, &status, WNOHANG) == pid_) &&
                   std::chrono::steady_clock::now() < end)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (!ended) {
                kill(pid_, SIGKILL);
                waitpid(pid_, &status, 0);
            }
            pid_ = 0;
        }
        if (previousServer_.empty())
            unsetenv("CUPS_SERVER");
        else
            setenv("CUPS_SERVER", previousServer_.c_str(), 1);
        cupsSetServer(nullptr);
        std::error_code error;
        if (!dir_.empty())
            std::filesystem::remove_all(dir_, error);
    }

    std::string Socket() const { return (dir_ / "cups.sock").string(); }

    std::string Tail(const char* name) const
    {
        std::ifstream in(dir_ / name);
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        return text.substr(text.size() > 600 ? text.size() - 600 : 0);
    }

    // Starts `argv` with its output in `log`; the child dies with this
    // process. What the child needs is made before the fork: another thread
    // may hold the allocator's lock.
    pid_t Spawn(const std::vector<std::string>& argv, const char* log) const
    {
        const std::string output = (dir_ / log).string();
        std::vector<char*> args;
        for (const std::string& arg : argv)
            args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        const pid_t pid = fork();
        if (pid != 0)
            return pid;
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        dup2(fd, STDOUT_FILENO);
        dup2(fd, STDERR_FILENO);
        execv(args[0], args.data());
        _exit(127);
    }

    // Runs a CUPS command against the server; true when it succeeded.
    bool Run(std::vector<std::string> argv) const
    {
        argv.insert(argv.begin() + 1, {"-h", Socket()});
        const pid_t pid = Spawn(argv, "log/commands.out");
        int status = 0;
        return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

    std::filesystem::path dir_;
    pid_t pid_ = 0;
    std::string previousServer_;
    std::string reason_;
};

} // namespace vantrel::testing
