-- wrk script: every request is a new run report with its own name and score.
-- Optional argument (after "--"): reports per thread. Past that a thread sends
-- view.php instead, and it stops once all its reports are answered, so that the
-- store gets exactly that many.
local threads = 0

function setup(thread)
    threads = threads + 1
    thread:set("tid", threads)
end

function init(args)
    limit = tonumber(args[1]) or 0
    sent = 0
    reported = 0
end

function request()
    if limit > 0 and sent >= limit then
        return wrk.format("GET", "/Coilrun/data/view.php")
    end
    sent = sent + 1
    local score = (sent * 7919 + tid * 104729) % 1000000
    return wrk.format("GET", "/Coilrun/data/count.php?NEW=FALSE&DATE=08/12/2026&SCORE=" ..
                      score .. "&USER=bench" .. tid .. "-" .. sent)
end

function response(status, headers, body)
    if limit > 0 and string.find(body, "style(bsSingle)", 1, true) then
        reported = reported + 1
        if reported >= limit then
            wrk.thread:stop()
        end
    end
end
