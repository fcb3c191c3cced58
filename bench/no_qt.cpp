// Stand-ins when the program is built without Qt: the Qt figures stay "-".
#include "bench/suites.hpp"

namespace bench {

#ifndef CBO_BENCH_PEER
bool StartQt(int&, char**) { return false; }
void StopQt() {}
void RegisterPeer(size_t, int) {}
void RegisterPeerFilter(size_t, int) {}
#endif
#ifndef CBO_BENCH_PEER_SQL
void RegisterPeerDatabase(size_t) {}
#endif
#ifndef CBO_BENCH_LIVE_PG
bool PostgresGiven() { return false; }
void RegisterLivePg(size_t, bool) {}
#endif
#ifndef CBO_BENCH_OURS_QT
void RegisterOursQt(size_t, int) {}
#endif

}  // namespace bench
