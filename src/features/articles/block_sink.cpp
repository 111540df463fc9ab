#include "features/articles/block_sink.h"

#include <functional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "common/session.h"
#include "common/unit_batch.h"
#include "features/articles/block_pipeline5.h"
#include "host/errors.h"
#include "host/host_services.h"

namespace dn::dn5 {

namespace {

// The writer and its batch, for both sinks.
class BatchedWriter {
  public:
    using Message = std::function<void(const std::string&)>;

    BatchedWriter(Session& s, ArticleRunState& run, Message message)
        : writer_(s, run, s.store()),
          message_(std::move(message)),
          batch_(
              s.store(), ArticleBlockLimits(),
              [this](dn5::ArticleBlock& b, Replay replay) { writer_.write(b, replay); },
              [this](const DatabaseError& e) {
                  writer_.forget();
                  ++storeErrors_;
                  message_(e.what());
              }) {
        batch_.measureWith(BlockBytes);
    }

    ArticleWriter& writer() { return writer_; }
    UnitBatch<dn5::ArticleBlock>& batch() { return batch_; }

    void add(dn5::ArticleBlock&& block) {
        const UnitStart start = StartOf(block);
        batch_.add(std::move(block), start);
    }

    WriteCounts takeCounts() {
        WriteCounts c = writer_.takeCounts();
        c.storeErrors = std::exchange(storeErrors_, 0);
        return c;
    }

  private:
    ArticleWriter writer_;
    Message message_;
    long storeErrors_ = 0;
    UnitBatch<dn5::ArticleBlock> batch_;
};

class InlineSink final : public BlockSink {
  public:
    InlineSink(Session& s, ArticleRunState& run)
        : out_(s, run, [&ui = s.ui](const std::string& m) { ui.meldung(m); }) {}

    void put(dn5::ArticleBlock block) override { out_.add(std::move(block)); }

    WriteCounts finish() override {
        out_.batch().commit();
        return out_.takeCounts();
    }

  private:
    BatchedWriter out_;
};

class ThreadedSink final : public BlockSink {
  public:
    ThreadedSink(Session& s, ArticleRunState& run)
        : ui_(s.ui),
          out_(s, run, [this](const std::string& m) { pipeline_.message(m); }),
          pipeline_([this](dn5::ArticleBlock&& b) { out_.add(std::move(b)); }) {
        out_.batch().disposeWith(
            [this](std::vector<dn5::ArticleBlock>&& b) { pipeline_.recycle(std::move(b)); });
        out_.writer().setOutput({[this](const std::string& t) { pipeline_.status(t); },
                                 [this](const std::string& t) { pipeline_.message(t); }});
    }

    void put(dn5::ArticleBlock block) override {
        out_.writer().prepare(block);  // here, while the writing thread is busy
        pipeline_.push(std::move(block));
    }

    WriteCounts finish() override {
        pipeline_.drain(ui_);
        out_.batch().commit();
        pipeline_.drain(ui_);  // a failed commit's messages
        return out_.takeCounts();
    }

    void deliver() override { pipeline_.deliver(ui_); }

  private:
    HostServices& ui_;
    BatchedWriter out_;
    BlockPipeline pipeline_;  // stopped before the batch goes
};

}  // namespace

std::unique_ptr<BlockSink> OpenBlockSink(Session& s, ArticleRunState& run) {
    if (s.PrintProtocol) return std::make_unique<InlineSink>(s, run);
    return std::make_unique<ThreadedSink>(s, run);
}

BatchLimits ArticleBlockLimits(std::size_t blocks) {
    return BatchLimits{.units = blocks, .bytes = 16u << 20, .run = blocks};
}

UnitStart StartOf(const dn5::ArticleBlock& block) {
    const bool follows = block.kind == dn5::ArticleBlock::Kind::Text ||
                         block.kind == dn5::ArticleBlock::Kind::Graphics;
    return follows ? UnitStart::Follows : UnitStart::Begins;
}

std::size_t BlockBytes(const dn5::ArticleBlock& block) {
    std::size_t n = sizeof block;
    for (const auto& step : block.steps) {
        n += sizeof step;
        if (const auto* a = std::get_if<dn5::ArticleLine>(&step))
            for (const auto& f : a->f) n += f.capacity();
    }
    for (const auto& d : block.dRecords) n += sizeof d + d.text.size() + d.textKey.size();
    for (const auto& l : block.surchargeLines) n += sizeof l + l.size();
    for (const auto& l : block.textLines) n += sizeof l + l.size();
    return n;
}

}  // namespace dn::dn5
