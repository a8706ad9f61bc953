// Project file: the layout of "*.kpw" files, its writer and its reader.
//
// DescribeProject below is the one statement of the file layout: the order of the items and the
// version each item appeared in. The writer and the reader both walk it, so the two can never
// disagree, and the writer can produce a file of any older version for the tests.

#include "model/ProjectFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <random>
#include <stdexcept>
#include <system_error>

namespace vantrel {

static_assert(std::numeric_limits<Ext>::digits == 64 && sizeof(Ext) >= 10,
              "extended values are stored as x87 80-bit floats");

namespace {

constexpr size_t kTitleCapacity = 50;   // short string in 51 bytes
constexpr size_t kVersionCapacity = 12; // short string in 13 bytes
constexpr size_t kNameCapacity = 55;    // section row names: short string in 56 bytes
constexpr size_t kMaxTextWritten = 255; // the text buffers of the format hold 255 characters
constexpr size_t kExtBytes = 10;

[[noreturn]] void WrongFormat() {
    throw std::runtime_error(std::string(kWrongFileFormat));
}

std::string SystemMessage(int err) {
    return std::error_code(err, std::generic_category()).message();
}

// --- Writer ------------------------------------------------------------------------------------

class FileWriter {
  public:
    static constexpr bool kReading = false;

    explicit FileWriter(double version) : version_(version) {}

    bool Since(double firstVersion) const { return version_ >= firstVersion; }

    template <class... T> void operator()(const T&... values) { (Put(values), ...); }

    void Byte(uint8_t value, uint8_t /*largest valid value*/) { bytes_.push_back(value); }
    void ShortString(std::string_view s, size_t capacity) {
        const size_t n = std::min(s.size(), capacity);
        bytes_.push_back(static_cast<uint8_t>(n));
        bytes_.insert(bytes_.end(), s.begin(), s.begin() + n);
        Zeros(capacity - n);
    }
    void Name(const std::string& s) { ShortString(s, kNameCapacity); }
    void Zeros(size_t n) {
        for (size_t i = 0; i < n; ++i) bytes_.push_back(0);
    }
    void LevelCount(const TAnchor& system) {
        // The count is the number of level records that follow, so the file is always
        // self-consistent even when LevelCount was changed without resizing the levels.
        Put(static_cast<int32_t>(system.Levels.size()));
    }

    std::vector<uint8_t> Take() { return std::move(bytes_); }

  private:
    template <class T> void Put(const T&) = delete; // every field type names its encoding
    void Put(int32_t v) { Raw(&v, 4); }
    void Put(int64_t v) { Raw(&v, 8); }
    void Put(bool v) { bytes_.push_back(v ? 1 : 0); }
    void Put(double v) { Raw(&v, 8); }
    void Put(const Ext& v) {
        // The first 10 bytes of the object are the x87 value; the rest is padding.
        unsigned char image[sizeof(Ext)];
        std::memcpy(image, &v, sizeof(Ext));
        Raw(image, kExtBytes);
    }
    void Put(const std::string& text) {
        const size_t n = std::min(text.size(), kMaxTextWritten);
        const auto len = static_cast<uint16_t>(n);
        Raw(&len, 2);
        bytes_.insert(bytes_.end(), text.begin(), text.begin() + n);
    }
    void Put(const std::vector<uint8_t>& picture) {
        Put(static_cast<int64_t>(picture.size()));
        bytes_.insert(bytes_.end(), picture.begin(), picture.end());
    }
    void Raw(const void* p, size_t n) {
        // Little-endian host (x86-64): the memory image is the file encoding.
        const auto* b = static_cast<const uint8_t*>(p);
        bytes_.insert(bytes_.end(), b, b + n);
    }

    double version_;
    std::vector<uint8_t> bytes_;
};

// --- Reader ------------------------------------------------------------------------------------

class FileReader {
  public:
    static constexpr bool kReading = true;

    FileReader(std::span<const uint8_t> bytes, double version) : bytes_(bytes), version_(version) {}

    bool Since(double firstVersion) const { return version_ >= firstVersion; }

    template <class... T> void operator()(T&... values) { (Get(values), ...); }

    void Byte(uint8_t& value, uint8_t largest) {
        value = *Take(1);
        if (value > largest) WrongFormat();
    }
    void ShortString(std::string& s, size_t capacity) {
        const size_t n = *Take(1);
        if (n > capacity) WrongFormat();
        const uint8_t* p = Take(capacity);
        s.assign(reinterpret_cast<const char*>(p), n);
    }
    void Name(std::string& s) { ShortString(s, kNameCapacity); }
    void Zeros(size_t n) { Take(n); } // filler carries no value
    void LevelCount(TAnchor& system) {
        int32_t n = 0;
        Get(n);
        if (n < 0 || n > kMaxFileLevels) WrongFormat();
        system.LevelCount = n;
    }

    size_t Remaining() const { return bytes_.size() - pos_; }

  private:
    const uint8_t* Take(size_t n) {
        if (n > Remaining()) WrongFormat(); // a file that ends inside an item is damaged
        const uint8_t* p = bytes_.data() + pos_;
        pos_ += n;
        return p;
    }
    template <class T> void Get(T&) = delete;
    void Get(int32_t& v) { std::memcpy(&v, Take(4), 4); }
    void Get(int64_t& v) { std::memcpy(&v, Take(8), 8); }
    void Get(bool& v) { v = *Take(1) != 0; }
    void Get(double& v) { std::memcpy(&v, Take(8), 8); }
    void Get(Ext& v) {
        unsigned char image[sizeof(Ext)] = {};
        std::memcpy(image, Take(kExtBytes), kExtBytes);
        std::memcpy(&v, image, sizeof(Ext));
    }
    void Get(std::string& text) {
        uint16_t n = 0;
        std::memcpy(&n, Take(2), 2);
        const uint8_t* p = Take(n); // read whole, also beyond 255 bytes
        text.assign(reinterpret_cast<const char*>(p), n);
    }
    void Get(std::vector<uint8_t>& picture) {
        int64_t n = 0;
        Get(n);
        if (n < 0 || static_cast<uint64_t>(n) > Remaining()) WrongFormat();
        const uint8_t* p = Take(static_cast<size_t>(n));
        picture.assign(p, p + n);
    }

    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
    double version_;
};

// --- The layout ----------------------------------------------------------------------------------
// D is TKdData (reading) or const TKdData (writing); the types of the fields choose their
// encoding: int32_t Int32, bool Boolean, Ext 10-byte extended, double, std::string text.

template <class IO, class P> void DescribePoint(IO& io, P& point) {
    io(point.X, point.W);
    io.Zeros(4);
}

// TSteelShape, 192 bytes.
template <class IO, class S> void DescribeSteelShape(IO& io, S& s) {
    io.Name(s.Name);
    io(s.Zx, s.Ix, s.Aw, s.Iy, s.Tf, s.D, s.Ry, s.Sx, s.A, s.Bf, s.J, s.K1, s.Tw);
    io.Zeros(6);
}

// TIShape, 240 bytes.
template <class IO, class S> void DescribeIShape(IO& io, S& s) {
    io.Name(s.Name);
    io(s.W, s.A, s.D, s.Bf, s.Tw, s.Tf, s.Ix, s.Zx, s.Sx, s.Rx, s.Iy, s.Zy, s.Sy, s.Ry, s.J, s.Cw, s.Rts,
       s.H0);
    io.Zeros(4);
}

// TOShape, 168 bytes.
template <class IO, class S> void DescribeOShape(IO& io, S& s) {
    io.Name(s.Name);
    io(s.W, s.A, s.OD, s.TNominal, s.T, s.DOverT, s.I, s.Z, s.S, s.R, s.J);
    io.Zeros(2);
}

template <class IO, class L> void DescribeLevel(IO& io, L& lv) {
    if (io.Since(1.02)) io(lv.Kind);
    io(lv.HeightFromPrevious, lv.Angle);
    if (io.Since(1.06)) io(lv.TendonType, lv.TieRodAnchorage, lv.BarSize, lv.Grade);
    if (io.Since(1.07)) {
        // Pile properties block, 88 bytes.
        io(lv.PileSoilInterface, lv.PileInstallation, lv.MemberKind);
        io.Zeros(4);
        io(lv.MemberWidth, lv.MemberLength, lv.MemberE);
        io.Zeros(2);
        io(lv.MemberArea, lv.MemberPerimeter, lv.MemberTipArea, lv.MemberInertia);
        // Member choice block, 32 bytes.
        io(lv.StructuralDesign);
        io.Zeros(3);
        io(lv.ShapeFamily, lv.MemberType, lv.ShapeRow, lv.CombinedRatio);
        io.Zeros(6);
        // Member loads block, 128 bytes.
        io(lv.TestLoad, lv.Mx, lv.My, lv.Fy, lv.Kx, lv.Ky, lv.Lx, lv.Ly, lv.Lb, lv.Cb, lv.Cmx, lv.Fc);
        io(lv.ConcreteFilled);
        io.Zeros(7);
        DescribeIShape(io, lv.IShape);
        DescribeOShape(io, lv.OShape);
    }
    auto& w = lv.Waler;
    if (io.Since(1.08)) io(w.HasWaler);
    if (io.Since(1.18)) io(w.TwoSpans);
    if (io.Since(1.08)) {
        io(w.WLeft, w.Wa, w.Wb, w.Wc, w.WalerDepth, w.WalerLoad, w.Fy);
        io.Byte(w.ShapeFamily, sfEuropean);
        io(w.ShapeRow);
    }
    if (io.Since(1.11)) io(w.E, w.WalerIx);
    if (io.Since(1.16)) io(w.TwoChannels);
}

// Before the level records of a system are read: the anchor levels are made afresh with the
// defaults of a new level (a file of an older version does not hold every field of a level);
// the corner-brace array keeps the slots that step already gave it.
void PrepareLevels(TKdData& d, TAnchor& system) {
    if (&system == &d.Anchors) {
        d.Anchors.Levels.clear();
        d.ResizeAnchorLevels();
    } else {
        system.Levels.resize(static_cast<size_t>(system.LevelCount));
    }
}

template <class IO, class D, class A> void DescribeSystem(IO& io, D& d, A& a) {
    io.LevelCount(a);
    if (io.Since(1.13)) io(a.AnchorSpacingItem);
    if (io.Since(1.14)) io(a.SheetPileSpacingStep);
    if (io.Since(1.01)) io(a.SoilType);
    // The unfactored points belong to the project; both records carry them, the last read counts.
    if (io.Since(1.03))
        for (auto& p : d.UnfactoredPoints)
            DescribePoint(io, p);
    io(a.MaxDeflection, a.LoadingHeight, a.EmbedmentRatio, a.Lb, a.Cb, a.TotalVerticalLoad, a.MaxSpan, a.K,
       a.TestLoadFactor, a.SurchargeK, a.Kh, a.ApparentPressure, a.UniformSurcharge, a.WaterDepth);
    if constexpr (IO::kReading) PrepareLevels(d, a);
    for (auto& lv : a.Levels)
        DescribeLevel(io, lv);
    io(a.PointLoadOn, a.LineLoadOn, a.StripLoadOn);
    io(a.PointDepth, a.LineDepth, a.StripDepth, a.PointLoad, a.PointOffset, a.LineLoad, a.LineOffset,
       a.StripLoad, a.StripOffset, a.StripWidth);
}

template <class IO, class D> void DescribeProject(IO& io, D& d) {
    io(d.Organization, d.Logo, d.ProjectName, d.JobNumber, d.DesignedBy, d.Date);
    io.Byte(d.Units, usSI);
    io(d.PressureMethod, d.Installation, d.PileType, d.PileSection, d.SoilInputMode);
    io(d.SoilPressureRate, d.SpareValue4, d.SpareValue6, d.SpareValue5);
    io(d.LaggingType);
    io(d.TimberFb, d.TimberFv, d.LaggingSizeFactor, d.LaggingFlatUseFactor, d.TimberFcPerp, d.ArchingFactor);
    io(d.LaggingConcreteSet, d.TimberE);
    io.Zeros(10); // reserved
    io(d.SouthernPine, d.LumberGrade);
    for (auto& r : d.SoilRecords)
        io(r.Value1, r.Angle, r.Value3, r.Angle2, r.UnitWeight, r.Surcharge);
    io(d.SpareValue1, d.SpareValue2, d.IgnorePassive);
    io(d.DiagramScale);
    io(d.PileSpacing, d.ShoredHeight, d.SteelE, d.SteelFy, d.SpareValue3, d.PileWidth, d.ConcreteFc,
       d.AxialLoad, d.RowBaseValue);
    io(d.AuxInput1); // first copy; the second one below is the one kept
    if (io.Since(1.17)) io(d.AllowSkinFriction, d.AllowEndBearing);
    io(d.DesignFlag1, d.DesignFlag2);
    io(d.AuxInput1, d.AuxInput2, d.AuxInput3, d.AuxInput4, d.AuxInput5, d.AuxInput6, d.AuxInput7);
    io.Byte(d.ShapeFamily, sfEuropean);
    io(d.ShapeIndex, d.SheetIndex);
    for (auto& p : d.LoadingSidePoints)
        DescribePoint(io, p);
    for (auto& p : d.PassiveSidePoints)
        DescribePoint(io, p);
    io(d.RebarStandard, d.VerticalBarSize, d.VerticalBarCount, d.TieOrSpiral, d.LateralBarSize);
    io(d.ClearCover, d.PitchOverride);
    io(d.ConcretePlacement);
    DescribeSteelShape(io, d.CustomSection);
    io(d.PipeFilledWithConcrete, d.SpareFlag, d.UseGuardrail);
    io(d.GuardrailAngle);
    io(d.GuardrailLength, d.GuardrailLoad, d.GuardrailPointLoad, d.GuardrailSpacing);
    DescribeSystem(io, d, d.Anchors);
    if (io.Since(1.12)) io(d.UseCornerBraces);
    if (io.Since(1.09)) DescribeSystem(io, d, d.CornerBraces);
    if (io.Since(1.04)) io(d.BondSoilType, d.AllowLoadTransfer);
    if (io.Since(1.12)) io(d.UseBasalHeave);
    if (io.Since(1.10)) {
        io(d.BasalCondition);
        io(d.BasalCohesion, d.BasalNc, d.BasalUnitWeight, d.BasalHeight, d.BasalSurcharge, d.BasalWidth);
    }
}

// Pile section rows of the North American catalog were renumbered after version 1.04.
int32_t RenumberLegacyShapeIndex(int32_t index) {
    if (index < 87) return index;
    if (index <= 90) return index + 13;
    if (index <= 97) return index + 14;
    return index - 22;
}

// --- Files ---------------------------------------------------------------------------------------

class FileHandle {
  public:
    explicit FileHandle(int fd) : fd_(fd) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now and reports the error of close (a delayed write error shows up here).
    int Close() {
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }

  private:
    int fd_;
};

bool WriteAll(int fd, const uint8_t* p, size_t n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += w;
        n -= static_cast<size_t>(w);
    }
    return true;
}

// The file a save writes: a symbolic link is followed (through a chain of links) to the file it
// names, so that the link stays a link and the file it points to gets the new content; any other
// name is the file itself. The returned path may not exist yet.
std::filesystem::path SaveTarget(const std::string& fileName, const std::function<void(int)>& fail) {
    namespace fs = std::filesystem;
    constexpr int kMaxLinks = 40; // as the kernel's limit on links in one path
    fs::path path(fileName);
    for (int links = 0;; ++links) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        if (links == kMaxLinks) fail(ELOOP);
        std::error_code ec;
        fs::path next = fs::read_symlink(path, ec);
        if (ec) fail(ec.value());
        // A relative link is relative to the folder the link lies in.
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
}

// Writes bytes to a new file beside the target, flushes it to the disk and renames it over the
// target, so that the target holds either the old or the new content, never a part.
void ReplaceFile(const std::string& fileName, const std::vector<uint8_t>& bytes) {
    namespace fs = std::filesystem;
    const std::function<void(int)> fail = [&](int err) {
        throw std::runtime_error("Cannot save the project file \"" + fileName + "\": " + SystemMessage(err));
    };
    const fs::path target = SaveTarget(fileName, fail);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && target != fs::path(fileName)) {
        // A link that points nowhere: its target becomes a new file, if its folder is there.
        struct stat dir {};
        if (::stat(folder.c_str(), &dir) != 0 || !S_ISDIR(dir.st_mode)) {
            throw std::runtime_error("Cannot save the project file \"" + fileName + "\": it is a link to \"" +
                                     target.string() + "\", whose folder does not exist");
        }
    }
    if (exists && S_ISDIR(old.st_mode)) fail(EISDIR);

    std::random_device seed;
    std::string tempName;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        // A hidden sibling ".<name>.<random>.tmp" in the target's own folder, so the rename is atomic.
        std::string leaf(1, '.');
        leaf.append(target.filename().string()).append(1, '.').append(std::to_string(seed())).append(".tmp");
        tempName = (folder / leaf).string();
        fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) fail(errno);
    }
    if (fd < 0) fail(EEXIST);
    FileHandle file(fd);
    const auto abandon = [&](int err) {
        ::unlink(tempName.c_str());
        fail(err);
    };
    if (!WriteAll(file.get(), bytes.data(), bytes.size())) abandon(errno);
    if (exists && ::fchmod(file.get(), old.st_mode & 07777) != 0) abandon(errno);
    if (::fsync(file.get()) != 0) abandon(errno);
    if (file.Close() != 0) abandon(errno);
    if (::rename(tempName.c_str(), target.c_str()) != 0) abandon(errno);
}

} // namespace

// =================================================================================================

double FileVersionNumber(std::string_view text) {
    if (text == "1.0") return 1.03; // the first release wrote "1.0" for what is format 1.03
    // from_chars never looks at the locale: "1.18" is 1.18 also where the comma is the separator.
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::numeric_limits<double>::quiet_NaN();
    return value;
}

std::vector<uint8_t> EncodeProject(const TKdData& data, std::string_view versionText) {
    FileWriter out(FileVersionNumber(versionText));
    out.ShortString(kFileTitle, kTitleCapacity);
    out.ShortString(versionText, kVersionCapacity);
    DescribeProject(out, data);
    return out.Take();
}

void DecodeProject(std::span<const uint8_t> bytes, TKdData& data) {
    if (bytes.size() < static_cast<size_t>(kFileHeaderSize)) WrongFormat();
    FileReader header(bytes.first(kFileHeaderSize), 0);
    std::string title, versionText;
    header.ShortString(title, kTitleCapacity);
    header.ShortString(versionText, kVersionCapacity);
    const double version = FileVersionNumber(versionText);
    // Formats before 1.0 never existed; a NaN version fails both comparisons and is refused too.
    if (title != kFileTitle || !(version >= 1.0 && version <= FileVersionNumber(kFileVersion))) WrongFormat();

    // Read into a new project with the built-in defaults; `data` changes only when all went well.
    auto fresh = std::make_unique<TKdData>();
    FileReader in(bytes.subspan(kFileHeaderSize), version);
    DescribeProject(in, *fresh);
    if (in.Remaining() != 0) WrongFormat(); // bytes after the last item: not this layout

    TKdData& d = *fresh;
    if (version <= 1.04 && d.ShapeFamily == sfNorthAmerican)
        d.ShapeIndex = RenumberLegacyShapeIndex(d.ShapeIndex);
    // Before 1.15 the unfactored pressures of English projects were stored in ksf; now psf.
    if (version >= 1.03 && version < 1.15 && d.Units == usEnglish)
        for (TPressurePoint& p : d.UnfactoredPoints)
            p.W *= 1000.0L;
    d.ResizeAnchorLevels();
    d.ReloadUnitTables();

    d.ProgramFolder = std::move(data.ProgramFolder);
    data = std::move(d);
}

std::vector<uint8_t> ReadWholeFile(const std::string& fileName, std::string_view what) {
    const auto fail = [&](const std::string& why) {
        throw std::runtime_error("Cannot read the " + std::string(what) + " \"" + fileName + "\": " + why);
    };
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) fail(SystemMessage(errno));
    FileHandle file(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0) fail(SystemMessage(errno));
    if (!S_ISREG(st.st_mode)) fail("not a file");
    if (static_cast<uint64_t>(st.st_size) > kMaxFileBytes) fail("the file is too large");
    std::vector<uint8_t> bytes(static_cast<size_t>(st.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t r = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (r < 0) {
            if (errno == EINTR) continue;
            fail(SystemMessage(errno));
        }
        if (r == 0) break; // the file shrank while being read
        done += static_cast<size_t>(r);
    }
    bytes.resize(done);
    return bytes;
}

double TodayAsDateTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    using namespace std::chrono;
    const sys_days today{year{local.tm_year + 1900} / month{static_cast<unsigned>(local.tm_mon + 1)} /
                         day{static_cast<unsigned>(local.tm_mday)}};
    constexpr sys_days epoch{year{1899} / December / 30}; // day 0 of TDateTime
    return static_cast<double>((today - epoch).count());
}

// --- TKdData ------------------------------------------------------------------------------------

void TKdData::SaveToFile(const std::string& fileName) const {
    ReplaceFile(fileName, EncodeProject(*this));
}

void TKdData::LoadFromFile(const std::string& fileName) {
    DecodeProject(ReadWholeFile(fileName, "project file"), *this);
}

void TKdData::LoadPictureFromFile(const std::string& fileName) {
    // The old logo goes first: a picture that cannot be taken leaves no logo.
    Logo.clear();
    std::vector<uint8_t> bytes = ReadWholeFile(fileName, "picture");
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xD8)
        throw std::runtime_error("The picture \"" + fileName + "\" is not a JPEG image");
    Logo = std::move(bytes);
}

void TKdData::SetPicture(const std::vector<uint8_t>& jpegBytes) {
    Logo = jpegBytes;
}

} // namespace vantrel
