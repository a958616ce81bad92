/* Local (AF_UNIX) sockets by Android namespace (libcutils). */
#ifndef KV_CUTILS_SOCKETS_H
#define KV_CUTILS_SOCKETS_H

#ifdef __cplusplus
extern "C" {
#endif

#define ANDROID_SOCKET_NAMESPACE_ABSTRACT 0
#define ANDROID_SOCKET_NAMESPACE_RESERVED 1   /* "/dev/socket/<name>" */
#define ANDROID_SOCKET_NAMESPACE_FILESYSTEM 2 /* the name is a path */

/* A connected socket of `type` (SOCK_STREAM, SOCK_DGRAM, SOCK_SEQPACKET), or -1
 * with errno. On a simulated handset (KV_ROOT set) abstract names are kept
 * apart per handset, and reserved and file-system names live under KV_ROOT. */
int socket_local_client(const char* name, int namespaceId, int type);
int socket_local_client_connect(int fd, const char* name, int namespaceId, int type);
/* A bound socket, listening when the type is connection-oriented; -1 on failure. */
int socket_local_server(const char* name, int namespaceId, int type);
int socket_local_server_bind(int fd, const char* name, int namespaceId);

#ifdef __cplusplus
}
#endif

#endif
