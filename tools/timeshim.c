/* Moves the wall clock of the processes it is preloaded into (LD_PRELOAD, 32-bit, as Wine's
 * i386 programs are): realtime clock readings get the whole seconds written in the file that
 * HORALUX_TIME_OFFSET_FILE names, read afresh at every call so that rewriting it makes the clock
 * jump. Monotonic clocks, and with them timers, are left alone.
 * gcc -m32 -O2 -shared -fPIC -nostdlib -fno-stack-protector -o timeshim.so timeshim.c \
 *     /lib/i386-linux-gnu/libc.so.6 */
typedef long long i64;
struct time64 {
  i64 seconds;
  i64 fraction;
}; /* __timespec64 and __timeval64 begin alike */

extern void* dlsym(void* handle, const char* name);
extern char* getenv(const char* name);
extern int open(const char* path, int flags, ...);
extern int read(int fd, void* buffer, unsigned count);
extern int close(int fd);
#define RTLD_NEXT ((void*)-1l)

static i64 offset(void) {
  const char* path = getenv("HORALUX_TIME_OFFSET_FILE");
  char text[32];
  int fd, n, i = 0;
  i64 value = 0, sign = 1;
  if (!path || (fd = open(path, 0)) < 0) return 0;
  n = read(fd, text, sizeof text - 1);
  close(fd);
  if (n <= 0) return 0;
  text[n] = 0;
  if (text[0] == '-') {
    sign = -1;
    i = 1;
  }
  for (; text[i] >= '0' && text[i] <= '9'; ++i) value = value * 10 + (text[i] - '0');
  return sign * value;
}

static int realtime(int clock) { return clock == 0 || clock == 5 || clock == 8; }

int __clock_gettime64(int clock, struct time64* t) {
  static int (*real)(int, struct time64*);
  int result;
  if (!real) real = (int (*)(int, struct time64*))dlsym(RTLD_NEXT, "__clock_gettime64");
  result = real(clock, t);
  if (result == 0 && t && realtime(clock)) t->seconds += offset();
  return result;
}

int __gettimeofday64(struct time64* t, void* zone) {
  static int (*real)(struct time64*, void*);
  int result;
  if (!real) real = (int (*)(struct time64*, void*))dlsym(RTLD_NEXT, "__gettimeofday64");
  result = real(t, zone);
  if (result == 0 && t) t->seconds += offset();
  return result;
}

i64 __time64(i64* out) {
  static i64 (*real)(i64*);
  i64 now;
  if (!real) real = (i64(*)(i64*))dlsym(RTLD_NEXT, "__time64");
  now = real(0) + offset();
  if (out) *out = now;
  return now;
}
