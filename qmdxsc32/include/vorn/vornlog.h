/* The syslog client: plain text datagrams to UDP 127.0.0.1 port 514, one socket per
 * process, opened on the first message. The threshold (highest level still sent) comes
 * from the driver parameter "vorn_syslog_level" when the first message opens the
 * socket, 7 without it. A datagram is cut to 1023 characters. */
#ifndef VORN_VORNLOG_H
#define VORN_VORNLOG_H

#include <stdarg.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define VORN_LOG_EMERG 0
#define VORN_LOG_ALERT 1
#define VORN_LOG_CRIT 2
#define VORN_LOG_ERR 3
#define VORN_LOG_WARNING 4
#define VORN_LOG_NOTICE 5
#define VORN_LOG_INFO 6
#define VORN_LOG_DEBUG 7

/* Longest identity kept; a buffer for the previous identity holds this plus 1. */
#define VORN_LOG_IDENT_MAX 32
#define VORN_LOG_MESSAGE_MAX 1023

/* (Re)opens the socket with an identity (null keeps the current one, longer ones are cut
 * to 32 characters) and a threshold. 0, or -1 when the socket layer cannot be started. */
int32_t vorn_openlog(const char* ident, int32_t threshold);
void vorn_closelog(void);
/* Copies the current identity into previous (when not null, at least 33 bytes), then sets
 * the new one (null empties it). */
void vorn_set_log_ident(const char* ident, char* previous);
/* Sends "<level>Mmm dd hh:mm:ss ident: message" when level is at most the threshold.
 * 0 when sent or filtered out; -1 when the socket cannot be opened or the datagram was
 * not sent whole. */
int32_t vorn_syslog(int32_t level, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
/* As vorn_syslog without the threshold test and without opening the socket. */
int32_t vorn_vsyslog(int32_t level, const char* format, va_list args);
/* "LOG_EMERG" to "LOG_DEBUG" for 0-7, null above. */
const char* vorn_log_level_name(uint32_t level);
/* The level named exactly name, or -1. */
int32_t vorn_log_level_index(const char* name);

#ifdef __cplusplus
}
#endif

#endif
