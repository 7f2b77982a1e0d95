// Measures the work behind a keystroke, a unit choice, Explore, loading and
// composing, on the core alone.
#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "allocation_meter.h"
#include "batch_command.h"
#include "catalogue/head_catalogue.h"
#include "form/main_window_model.h"
#include "form/quiet_services.h"
#include "laser_replay.h"
#include "reports/report.h"
#include "reports/request_text.h"
#include "select_writers.h"
#include "selection/head_details.h"
#include "selection/head_limits.h"
#include "synthetic/synthetic_catalogue.h"

namespace tavrin::bench {
namespace {

struct Window {
    explicit Window(Catalogue catalogue)
        : model(std::move(catalogue), std::filesystem::temp_directory_path(), '.',
                MainWindowServices{quiet, quiet, quiet, quiet}) {}
    QuietServices quiet;
    MainWindowModel model;
};

void Choose(MainWindowModel& model, EntryId entry, const char* unit) {
    model.ChooseUnit(entry, model.State().Entry(entry).IndexOf(unit));
}

// A pulsed 10 mm beam: 1 J at 100 Hz, 10 ns, 1064 nm; keeps about one synthetic head in ten.
void TypePulsedLaser(MainWindowModel& model) {
    model.ClickOption(OptionId::Pulsed);
    model.TypeText(EntryId::Beam1, "10");
    model.TypeText(EntryId::WaveLength, "1064");
    model.TypeText(EntryId::MaxEnergy, "1");
    model.TypeText(EntryId::RepRate, "100");
    Choose(model, EntryId::PulseWidth, "ns");
    model.TypeText(EntryId::PulseWidth, "10");
}

Catalogue ShippedCatalogue() {
    const auto loaded = LoadCatalogue(TAVRIN_PROGRAM_DIR);
    return loaded ? loaded.Value() : Catalogue{};
}

// One keystroke in an entry: alternately a digit typed at the end and taken back.
// The beam is a rectangle, so that both beam entries take input.
void BM_Keystroke(benchmark::State& state) {
    const auto entry = static_cast<EntryId>(state.range(0));
    Window window(Catalogue{});
    TypePulsedLaser(window.model);
    window.model.ClickOption(OptionId::Rectangular);
    window.model.TypeText(EntryId::Beam2, "5");
    const std::string base = window.model.State().Entry(entry).Text;
    bool longer = false;
    for (auto _ : state) {
        longer = !longer;
        window.model.TypeText(entry, longer ? base + "5" : base);
    }
    static constexpr const char* kNames[] = {"txtBeam1",     "txtBeam2",   "txtWaveLenght", "txtMaxPower",
                                             "txtMaxEnergy", "txtRepRate", "txtPulseWidth"};
    state.SetLabel(kNames[state.range(0)]);
}
BENCHMARK(BM_Keystroke)
    ->ArgName("entry")
    ->DenseRange(static_cast<int>(EntryId::Beam1), static_cast<int>(EntryId::PulseWidth));

void BM_UnitChoice(benchmark::State& state) {
    Window window(Catalogue{});
    TypePulsedLaser(window.model);
    bool micro = false;
    for (auto _ : state) {
        micro = !micro;
        Choose(window.model, EntryId::MaxEnergy, micro ? "mJ" : "J");
    }
}
BENCHMARK(BM_UnitChoice);

void RunExplore(benchmark::State& state, Catalogue catalogue) {
    const auto heads = static_cast<double>(catalogue.Heads.size());
    Window window(std::move(catalogue));
    TypePulsedLaser(window.model);
    for (auto _ : state) {
        window.model.Explore();
        benchmark::DoNotOptimize(window.model.Grid().RowCount());
    }
    state.counters["heads"] = heads;
    state.counters["kept"] = window.model.Grid().RowCount();
    state.counters["ns_per_head"] =
        benchmark::Counter(heads * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The least an Explore of these heads can cost: a plain loop that reads every
// head's compact limits once. Explore is reported as a multiple of it, which
// stays comparable from machine to machine.
void BM_SearchFloor(benchmark::State& state) {
    const Catalogue catalogue = SyntheticCatalogue(static_cast<std::size_t>(state.range(0)));
    const std::vector<HeadLimits> limits = LimitsOf(catalogue.Heads);
    for (auto _ : state) {
        double sum = 0;
        for (const HeadLimits& head : limits) {
            sum += head.PowerMin + head.EnergyMin + head.WaveMin + head.WaveMax + head.Aperture + head.PowerMax +
                   head.PowerDensityMax + head.EnergyMax + head.CoatingNo + (head.Probe ? 1 : 0);
        }
        benchmark::DoNotOptimize(sum);
    }
    const auto heads = static_cast<double>(limits.size());
    state.counters["ns_per_head"] =
        benchmark::Counter(heads * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SearchFloor)->ArgName("heads")->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_ExploreShipped(benchmark::State& state) {
    RunExplore(state, ShippedCatalogue());
}
BENCHMARK(BM_ExploreShipped);

void BM_ExploreSynthetic(benchmark::State& state) {
    RunExplore(state, SyntheticCatalogue(static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_ExploreSynthetic)->ArgName("heads")->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void ReportLoad(benchmark::State& state, std::size_t heads, std::size_t fileSize, std::size_t peak) {
    state.counters["ns_per_head"] = benchmark::Counter(
        static_cast<double>(heads) * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["file_MB"] = static_cast<double>(fileSize) / 1e6;
    state.counters["peak_per_file"] = static_cast<double>(peak) / static_cast<double>(fileSize);
}

// Times `load` over a synthetic "Heads.Dat" image of state.range(0) heads,
// with the most heap it takes beyond what was in use before.
template <typename Load>
void MeasureLoad(benchmark::State& state, const std::string& bytes, Load load) {
    std::size_t peak = 0;
    for (auto _ : state) {
        const std::size_t before = HeapInUse();
        ResetHeapPeak();
        auto loaded = load();
        peak = std::max(peak, HeapPeak() - before);
        benchmark::DoNotOptimize(loaded);
    }
    ReportLoad(state, static_cast<std::size_t>(state.range(0)), bytes.size(), peak);
}

std::string SyntheticHeadsFile(benchmark::State& state) {
    return SerializeHeads(SyntheticCatalogue(static_cast<std::size_t>(state.range(0))).Heads).Value();
}

void BM_LoadHeadsFromMemory(benchmark::State& state) {
    const std::string bytes = SyntheticHeadsFile(state);
    MeasureLoad(state, bytes, [&bytes] { return LoadHeads(bytes); });
}
BENCHMARK(BM_LoadHeadsFromMemory)->ArgName("heads")->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_LoadHeadsFromFile(benchmark::State& state) {
    const std::string bytes = SyntheticHeadsFile(state);
    const auto file = std::filesystem::temp_directory_path() / ("tavrin-bench-heads-" + std::to_string(state.range(0)));
    std::ofstream(file, std::ios::binary) << bytes;
    MeasureLoad(state, bytes, [&file] { return LoadHeadsFile(file); });
    std::filesystem::remove(file);
}
BENCHMARK(BM_LoadHeadsFromFile)->ArgName("heads")->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// A window whose last search kept about a thousand heads.
Window& ThousandRows() {
    static Window* window = [] {
        auto* w = new Window(SyntheticCatalogue(10000));
        TypePulsedLaser(w->model);
        w->model.Explore();
        return w;
    }();
    return *window;
}

void BM_ComposeReport(benchmark::State& state) {
    const MainWindowModel& model = ThousandRows().model;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComposeReport(model.State(), model.Labels(), model.Grid()));
    }
    state.counters["rows"] = model.Grid().RowCount();
}
BENCHMARK(BM_ComposeReport)->Unit(benchmark::kMicrosecond);

void BM_ComposeRequest(benchmark::State& state) {
    const MainWindowModel& model = ThousandRows().model;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComposeRequestText(model.State(), model.Labels()));
    }
}
BENCHMARK(BM_ComposeRequest)->Unit(benchmark::kMicrosecond);

// Why each head was kept or not, with the beam that would make a rejected
// one fit: the shipped catalogue, and 100,000 made-up heads.
void BM_Details(benchmark::State& state) {
    static Window* shipped = [] {
        auto* w = new Window(ShippedCatalogue());
        TypePulsedLaser(w->model);
        return w;
    }();
    static Window* synthetic = [] {
        auto* w = new Window(SyntheticCatalogue(100000));
        TypePulsedLaser(w->model);
        return w;
    }();
    const MainWindowModel& model = state.range(0) == 0 ? shipped->model : synthetic->model;
    const std::vector<HeadLimits> limits = LimitsOf(model.Heads().Heads);
    std::size_t rejected = 0;
    for (auto _ : state) {
        const SearchDetails details = ComputeDetails(model.Heads(), limits, model.State(), model.Numbers());
        rejected = details.rejected.size();
        benchmark::DoNotOptimize(details);
    }
    state.counters["rejected"] = static_cast<double>(rejected);
}
BENCHMARK(BM_Details)->ArgName("synthetic")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The same details for a 10 × 5 mm rectangle on the 100,000 made-up heads,
// uniform and Gaussian: the Gaussian adds the share of the power each head's
// aperture passes.
void BM_DetailsRectangle(benchmark::State& state) {
    static Window* window = [] {
        auto* w = new Window(SyntheticCatalogue(100000));
        TypePulsedLaser(w->model);
        w->model.ClickOption(OptionId::Rectangular);
        w->model.TypeText(EntryId::Beam2, "5");
        return w;
    }();
    MainWindowModel& model = window->model;
    model.ChooseProfile(state.range(0) == 0 ? Profile::Uniform : Profile::Gaussian);
    const std::vector<HeadLimits> limits = LimitsOf(model.Heads().Heads);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeDetails(model.Heads(), limits, model.State(), model.Numbers()));
    }
    state.counters["us_per_head"] =
        benchmark::Counter(static_cast<double>(limits.size()) * 1e-6,
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetLabel(state.range(0) == 0 ? "uniform" : "gaussian");
}
BENCHMARK(BM_DetailsRectangle)->ArgName("gaussian")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A stream that keeps nothing, so that writing costs only the formatting.
class NullBuffer final : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

// Lasers of every mode, taken in turn: a batch file's rows and the same
// lasers as a single `select` is given them.
constexpr std::array<const char*, 3> kBatchRows = {"5,1064nm,100W,,,,,", "8,1064nm,,10mJ,1kHz,10ns,yes,",
                                                   "10,532nm,,50mJ,,5ns,yes,yes"};
const std::array<std::vector<std::string>, 3> kSingleArgs = {{
    {"--beam", "5", "--wavelength", "1064nm", "--power", "100W"},
    {"--pulsed", "--beam", "8", "--wavelength", "1064nm", "--energy", "10mJ", "--rate", "1kHz", "--pulse-width",
     "10ns"},
    {"--pulsed", "--single", "--beam", "10", "--wavelength", "532nm", "--energy", "50mJ", "--pulse-width", "5ns"},
}};

// The batch's catalogues: the shipped one with 10,000 rows, 100,000 made-up
// heads with 1,000; loaded once, as the batch loads it.
struct BatchCase {
    std::shared_ptr<const SearchCatalogue> catalogue;
    std::size_t rows;
};
const BatchCase& BatchCaseOf(std::int64_t synthetic) {
    static const BatchCase kShipped{std::make_shared<const SearchCatalogue>(ShippedCatalogue()), 10000};
    static const BatchCase kSynthetic{std::make_shared<const SearchCatalogue>(SyntheticCatalogue(100000)), 1000};
    return synthetic == 0 ? kShipped : kSynthetic;
}

void CountRows(benchmark::State& state, std::size_t rows) {
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["us_per_row"] = benchmark::Counter(
        static_cast<double>(rows) * 1e-6, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// `select --batch` on a file of lasers, as CSV or (json = 1) JSON Lines.
void BM_Batch(benchmark::State& state) {
    const BatchCase& batch = BatchCaseOf(state.range(0));
    std::string text = "beam,wavelength,power,energy,rate,pulse-width,pulsed,single\n";
    for (std::size_t i = 0; i < batch.rows; ++i) {
        text += kBatchRows[i % kBatchRows.size()];
        text += '\n';
    }
    cli::SelectOptions options;
    options.dataDir = TAVRIN_PROGRAM_DIR;
    options.json = state.range(1) == 1;
    NullBuffer discard;
    std::ostream out(&discard);
    for (auto _ : state) {
        std::istringstream in(text);
        benchmark::DoNotOptimize(cli::RunBatchRows(in, "bench", options, batch.catalogue, '.', out, out, false));
    }
    CountRows(state, batch.rows);
}
// The 100,000 heads keep about 9,000 for every laser, so their rows are
// measured as CSV only: as JSON each row is a few megabytes of output.
BENCHMARK(BM_Batch)
    ->ArgNames({"synthetic", "json"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Unit(benchmark::kMillisecond);

// The same lasers run one by one as single `select`s run them (a fresh window
// over the catalogue, the laser replayed, Explore) and the lines the batch
// writes for them written: what the batch's rows are measured against, the
// difference being the reading of the file.
void BM_SingleRuns(benchmark::State& state) {
    const BatchCase& batch = BatchCaseOf(state.range(0));
    std::vector<cli::SelectOptions> lasers;
    for (const auto& args : kSingleArgs) {
        lasers.push_back(cli::ParseSelectOptions(args, '.').Value());
    }
    const bool json = state.range(1) == 1;
    NullBuffer discard;
    std::ostream out(&discard);
    for (auto _ : state) {
        for (std::size_t i = 0; i < batch.rows; ++i) {
            cli::LaserRun run(batch.catalogue, TAVRIN_PROGRAM_DIR, '.');
            const int status = run.Run(lasers[i % lasers.size()]).Value();
            if (json) {
                out << cli::ResultJson(run.Model(), run.Messages(), status).dump(-1) << '\n';
            } else {
                cli::WriteCsvRows(out, i + 1, status == 0 ? "found" : "none", &run.Model());
            }
        }
    }
    CountRows(state, batch.rows);
}
BENCHMARK(BM_SingleRuns)
    ->ArgNames({"synthetic", "json"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tavrin::bench

BENCHMARK_MAIN();
