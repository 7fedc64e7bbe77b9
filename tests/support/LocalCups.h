#pragma once

// A private CUPS server for tests: its own configuration, spool, logs and
// socket in a scratch folder, one cups-pdf queue whose PDFs land in a folder
// of its own (cups-pdf reads its settings from /etc/cups only, so the server
// runs in a mount namespace where a private settings file covers that one),
// and this process's print client pointed at it. The server dies with the
// object, or with the test program. Where it cannot start (not root, no
// cupsd, cups-pdf or namespaces), Ready() is false and Reason() says why.
#include <cups/cups.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
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

    struct Job {
        int Id = 0;
        std::string Title;
        ipp_jstate_t State = IPP_JSTATE_PENDING;
    };

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

    // The PDFs cups-pdf has written so far.
    std::vector<std::filesystem::path> Pdfs() const
    {
        std::vector<std::filesystem::path> files;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(dir_ / "pdf", error))
            if (entry.path().extension() == ".pdf")
                files.push_back(entry.path());
        return files;
    }

    // Every job the queue has seen, finished or not.
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

    // Waits until no job of the queue is pending or printing; false after
    // `seconds` without that.
    bool WaitUntilIdle(int seconds = 60) const
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
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

    // One attribute of a job as text ("copies", "job-priority"); empty when
    // the job has none.
    std::string JobAttribute(int id, const char* name) const
    {
        ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
        const std::string uri = "ipp://localhost/jobs/" + std::to_string(id);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.c_str());
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, name);
        ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
        std::string value;
        if (ipp_attribute_t* attribute = ippFindAttribute(response, name, IPP_TAG_ZERO)) {
            char text[1024];
            ippAttributeString(attribute, text, sizeof text);
            value = text;
        }
        ippDelete(response);
        return value;
    }

    // The queue refuses new jobs for `reason`, or takes them again.
    bool RefuseJobs(const std::string& reason) { return Run({"/usr/sbin/cupsreject", "-r", reason, Queue}); }
    bool AcceptJobs() { return Run({"/usr/sbin/cupsaccept", Queue}); }

private:
    std::string Start()
    {
        for (const char* needed :
             {"/usr/sbin/cupsd", "/usr/sbin/lpadmin", "/usr/bin/unshare", "/usr/lib/cups/backend/cups-pdf",
              "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd"})
            if (access(needed, X_OK | R_OK) != 0 && access(needed, R_OK) != 0)
                return std::string(needed) + " is not installed (scripts/install-deps.sh installs it)";
        if (geteuid() != 0)
            return "cupsd runs the cups-pdf backend only as root";
        std::string pattern = (std::filesystem::temp_directory_path() / "vantrel-cups-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            return "no scratch folder for cupsd";
        dir_ = pattern;
        // Filters run as the lp user and must reach the spool.
        std::filesystem::permissions(dir_, std::filesystem::perms(0755));
        for (const char* sub : {"root", "spool", "spool/tmp", "cache", "state", "log", "pdf", "pdf-spool"})
            std::filesystem::create_directories(dir_ / sub);
        const std::string d = dir_.string();
        Write("cups-files.conf", "ServerRoot " + d + "/root\nRequestRoot " + d + "/spool\nTempDir " + d +
                                     "/spool/tmp\nCacheDir " + d + "/cache\nStateDir " + d +
                                     "/state\nDataDir /usr/share/cups\nServerBin /usr/lib/cups\n"
                                     "DocumentRoot /usr/share/cups/doc-root\nErrorLog " +
                                     d + "/log/error_log\nAccessLog " + d + "/log/access_log\nPageLog " + d +
                                     "/log/page_log\nFileDevice No\n");
        Write("cupsd.conf",
              "Listen " + Socket() +
                  "\nBrowsing No\nDefaultAuthType None\nWebInterface No\nLogLevel info\n"
                  "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                  "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n");
        Write("cups-pdf.conf", "Out " + d + "/pdf\nAnonDirName " + d + "/pdf\nSpool " + d +
                                   "/pdf-spool\nGrp root\nLog " + d + "/log\n");
        const std::string command = "mount --bind " + d + "/cups-pdf.conf /etc/cups/cups-pdf.conf && exec " +
                                    "/usr/sbin/cupsd -f -c " + d + "/cupsd.conf -s " + d + "/cups-files.conf";
        pid_ = Spawn({"/usr/bin/unshare", "--mount", "--propagation", "private", "/bin/sh", "-c", command});
        if (pid_ <= 0)
            return "cupsd could not be started";
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!std::filesystem::exists(Socket())) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = 0;
                return "cupsd did not start: " + Tail("log/cupsd.out") + Tail("log/error_log");
            }
            if (std::chrono::steady_clock::now() > end)
                return "cupsd did not open its socket: " + Tail("log/error_log");
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        previousServer_ = std::getenv("CUPS_SERVER") ? std::optional<std::string>(std::getenv("CUPS_SERVER"))
                                                     : std::nullopt;
        setenv("CUPS_SERVER", Socket().c_str(), 1);
        cupsSetServer(Socket().c_str());
        if (!Run({"/usr/sbin/lpadmin", "-p", Queue, "-v", "cups-pdf:/", "-P",
                  "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd", "-E"}) ||
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
            while (waitpid(pid_, &status, WNOHANG) != pid_) {
                if (std::chrono::steady_clock::now() > end) {
                    kill(pid_, SIGKILL);
                    waitpid(pid_, &status, 0);
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
            pid_ = 0;
        }
        if (previousServer_)
            setenv("CUPS_SERVER", previousServer_->c_str(), 1);
        else
            unsetenv("CUPS_SERVER");
        cupsSetServer(nullptr);
        if (!dir_.empty()) {
            std::error_code error;
            std::filesystem::remove_all(dir_, error);
            dir_.clear();
        }
    }

    std::string Socket() const { return (dir_ / "cups.sock").string(); }

    void Write(const char* name, const std::string& text) const { std::ofstream(dir_ / name) << text; }

    std::string Tail(const char* name) const
    {
        std::ifstream in(dir_ / name);
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        return text.size() > 600 ? text.substr(text.size() - 600) : text;
    }

    // Starts `argv` with its output in the log folder; the child dies with
    // this process.
    pid_t Spawn(const std::vector<std::string>& argv, const char* log = "log/cupsd.out") const
    {
        // Everything the child needs is made before the fork: other threads
        // may hold the allocator's lock.
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
        if (fd >= 0) {
            dup2(fd, STDOUT_FILENO);
            dup2(fd, STDERR_FILENO);
        }
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
    std::optional<std::string> previousServer_;
    std::string reason_;
};

} // namespace vantrel::testing
