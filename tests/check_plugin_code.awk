# Reads `objdump -d` of the plug-in's own object code (32-bit x86, AT&T
# syntax) and prints one line for each thing a host could trip over:
#   x87 <function> <instruction>      an x87 instruction outside the entry
#                                     point that takes the host's version,
#                                     which comes back on the x87 stack
#   aligned-stack <function> <instr>  an SSE access that needs 16-byte
#                                     alignment, to a stack slot, in a
#                                     function that does not realign its
#                                     stack: a host that calls with only
#                                     4-byte alignment would fault on it
# Nothing printed means the code is fine.

function flush_function(   i) {
    if (!realigns)
        for (i = 1; i <= pending_count; i++)
            print "aligned-stack", function_name, pending[i]
    pending_count = 0
    realigns = 0
}

/^[0-9a-f]+ <[^>]+>:$/ {
    flush_function()
    function_name = $2
    gsub(/[<>:]/, "", function_name)
    next
}

/^ *[0-9a-f]+:\t/ {
    # "addr:\tbytes\tmnemonic operands", or without the bytes column.
    n = split($0, columns, "\t")
    text = columns[n]
    split(text, words, /[ \t]+/)
    mnemonic = words[1]
    if (mnemonic ~ /^and[l]?$/ && text ~ /\$0xf+[0-9a-f]0,%esp/)
        realigns = 1
    if (mnemonic ~ /^f[a-z0-9]+$/ && function_name !~ /OrrimPluginInit$/)
        print "x87", function_name, text
    if (text ~ /%xmm/ && text ~ /\(%e[bs]p/ &&
        mnemonic ~ /^(movap[sd]|movdqa|movntp[sd]|movntdq|cvt(dq2ps|ps2dq|tps2dq|pd2dq|tpd2dq|pd2ps)|(add|sub|mul|div|min|max|and|andn|or|xor|sqrt|rcp|rsqrt|cmp[a-z]*|unpck[lh]|shuf|hadd|hsub|addsub)p[sd]|p[a-z0-9]+)$/)
        pending[++pending_count] = text
}

END { flush_function() }
