#pragma once

// Two games linked over ICE on this machine (host candidates), sealed as an
// invitation links them, with this meeting in place of a meeting place:
// each side's link leaves its description here and meets the other side's
// newest link. settle() lets real time pass until the links are made and
// what either side sent has arrived, so that the games' shared virtual time
// never runs ahead of the real link.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <set>

#include "TestGame.h"
#include "platform/ice/IceLink.h"

namespace mofurin::test {

class IceMeeting {
 public:
  void link(TestGame& host, TestGame& guest) {
    sealLinks(host, guest, [this](TestGame&, bool isHost) { return std::make_unique<Side>(*this, isHost ? 0 : 1); });
  }

  void settle() {
    QElapsedTimer waited;
    waited.start();
    QCoreApplication::processEvents();  // what is due already, a loss say
    while (!quiet() && waited.elapsed() < 3000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }

 private:
  class Side final : public platform::Transport {
   public:
    Side(IceMeeting& meeting, int end) : meeting_(meeting), end_(end), ice_(platform::IceServers{}) {
      meeting_.sides_.insert(this);
      ice_.onConnected = [this] {
        if (onConnected) onConnected();
      };
      ice_.onArrival = [this] {
        if (onArrival) onArrival();
      };
      ice_.onLost = [this] {
        if (onLost) onLost();
      };
      ice_.described = [this](const QByteArray& description) {
        description_ = description;
        meeting_.meet();
      };
    }
    ~Side() override {
      meeting_.sides_.erase(this);
      for (Side* s : meeting_.sides_) {
        if (s->partner_ == this) s->partner_ = nullptr;
      }
      if (meeting_.newest_[end_] == this) meeting_.newest_[end_] = nullptr;
    }

    bool listen() override {
      start(false);
      return true;
    }
    void connect(const QString&) override { start(true); }
    void send(const QByteArray& bytes) override {
      if (ice_.state() != State::Connected) return;
      sent_ += bytes.size();
      ice_.send(bytes);
    }
    QByteArray receive() override {
      const QByteArray bytes = ice_.receive();
      received_ += bytes.size();
      return bytes;
    }
    void close() override { ice_.close(); }
    State state() const override { return ice_.state(); }

    // Whether this side waits on something real: its description, the link
    // with its partner, or bytes its partner sent.
    bool waiting() const {
      if (ice_.state() == State::Closed) return false;
      if (description_.isEmpty()) return true;
      if (!partner_) return false;
      if (ice_.state() != State::Connected) return partner_->ice_.state() != State::Closed;
      return partner_->sent_ != received_;
    }

   private:
    friend class IceMeeting;
    void start(bool controlling) {
      description_.clear();
      partner_ = nullptr;
      meeting_.newest_[end_] = this;
      ice_.prepare(controlling);
    }

    IceMeeting& meeting_;
    int end_;
    platform::IceLink ice_;
    QByteArray description_;
    Side* partner_ = nullptr;
    qint64 sent_ = 0, received_ = 0;
  };

  // The newest links of the two sides meet once both are described.
  void meet() {
    Side *host = newest_[0], *guest = newest_[1];
    if (!host || !guest || host->partner_ || guest->partner_ || host->description_.isEmpty() ||
        guest->description_.isEmpty()) {
      return;
    }
    host->partner_ = guest;
    guest->partner_ = host;
    host->ice_.connect(QString::fromUtf8(guest->description_));
    guest->ice_.connect(QString::fromUtf8(host->description_));
  }

  bool quiet() const {
    return std::none_of(sides_.begin(), sides_.end(), [](const Side* s) { return s->waiting(); });
  }

  std::set<Side*> sides_;
  Side* newest_[2] = {};
};

}  // namespace mofurin::test
